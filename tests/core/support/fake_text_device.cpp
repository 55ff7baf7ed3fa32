#include "support/fake_text_device.h"

#include <stdexcept>

namespace tavlor::test {

void FakeTextDevice::beginJob() {
    if (m_failToBegin)
        throw std::runtime_error("cannot open the output");
    ++m_jobsBegun;
    m_pages = 1;
}

void FakeTextDevice::endJob() {
    ++m_jobsEnded;
}

void FakeTextDevice::newPage() {
    ++m_pages;
}

TextExtent FakeTextDevice::measure(std::string_view run) const {
    int width = 0;
    for (char ch : run)
        width += ch == 'i' ? 1 : 10;
    return {width, 12};
}

void FakeTextDevice::draw(int x, int y, std::string_view run) {
    m_drawn.push_back({m_pages, x, y, std::string(run)});
}

} // namespace tavlor::test
