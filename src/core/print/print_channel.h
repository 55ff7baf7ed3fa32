#pragma once

#include "core/print/print_layout.h"
#include "core/print/text_device.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tavlor {

/** The write-only text stream of one print job: a 128-byte buffer that hands its text to the
 *  layout when it is full, after every line end and when the channel closes. */
class PrintChannel {
public:
    static constexpr std::size_t kBufferSize = 128;

    explicit PrintChannel(TextDevice& device, TextEncoding encoding = TextEncoding::Utf8)
        : m_device(device), m_encoding(encoding) {}
    PrintChannel(const PrintChannel&) = delete;
    PrintChannel& operator=(const PrintChannel&) = delete;
    /** Ends a job that is still open (without laying out what is left in the buffer). */
    ~PrintChannel();

    /** Begins the job on page 1 at the top-left corner. Throws what the device throws. */
    void open();
    /** Buffers text; each time the buffer fills, its 128 bytes go to the layout. */
    void write(std::string_view text);
    /** Writes the channel's line end (one line feed) and hands the buffer to the layout. */
    void writeLineEnd();
    /** Lays out what is left in the buffer, ends the last page and the job. */
    void close();

    bool isOpen() const { return m_layout.has_value(); }
    /** The layout state of the open job (for tests). */
    const PrintLayout& layout() const { return *m_layout; }

private:
    void flush();

    TextDevice& m_device;
    TextEncoding m_encoding;
    std::optional<PrintLayout> m_layout;
    std::array<char, kBufferSize> m_buffer{};
    std::size_t m_used = 0;
};

} // namespace tavlor
