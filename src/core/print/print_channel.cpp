#include "core/print/print_channel.h"

#include <algorithm>

namespace tavlor {

PrintChannel::~PrintChannel() {
    if (m_layout)
        m_device.endJob();
}

void PrintChannel::open() {
    m_device.beginJob();
    m_layout.emplace(m_device, m_encoding);
    m_used = 0;
}

void PrintChannel::write(std::string_view text) {
    while (!text.empty()) {
        const std::size_t count = std::min(text.size(), kBufferSize - m_used);
        std::copy_n(text.data(), count, m_buffer.data() + m_used);
        m_used += count;
        text.remove_prefix(count);
        if (m_used == kBufferSize)
            flush();
    }
}

void PrintChannel::writeLineEnd() {
    write("\n");
    flush();
}

void PrintChannel::close() {
    if (!m_layout)
        return;
    flush();
    m_layout->finish();
    m_layout.reset();
    m_device.endJob();
}

void PrintChannel::flush() {
    if (m_used == 0 || !m_layout)
        return;
    const std::string_view piece(m_buffer.data(), m_used);
    m_used = 0;
    m_layout->layOut(piece);
}

} // namespace tavlor
