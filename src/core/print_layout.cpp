#include "core/print_layout.h"

#include <algorithm>

namespace tavlor {

namespace {

constexpr char kTab = 9;
constexpr char kLineFeed = 10;
constexpr char kFormFeed = 12;
constexpr char kCarriageReturn = 13;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence starting at text[0], or 0 when it is not one.
std::size_t sequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i])))
            return 0;
    }
    return length;
}

} // namespace

PrintLayout::PrintLayout(TextDevice& device)
    : m_device(device), m_pageWidth(device.pageWidth()), m_pageHeight(device.pageHeight()) {}

std::size_t PrintLayout::previousCharEnd(std::string_view text, std::size_t end) {
    if (end == 0)
        return 0;
    // A UTF-8 character is at most 4 bytes: look for a lead byte whose sequence ends exactly here.
    for (std::size_t back = 2; back <= 4 && back <= end; ++back) {
        const std::size_t start = end - back;
        if (!isContinuation(static_cast<unsigned char>(text[start]))) {
            if (sequenceLength(text.substr(start, back)) == back)
                return start;
            break;
        }
    }
    return end - 1;
}

std::size_t PrintLayout::firstCharLength(std::string_view text) {
    if (text.empty())
        return 0;
    return std::max<std::size_t>(1, sequenceLength(text));
}

void PrintLayout::layOut(std::string_view piece) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char ch = piece[i];
        if (ch != kTab && ch != kCarriageReturn && ch != kLineFeed && ch != kFormFeed)
            continue;
        printRun(piece.substr(runStart, i - runStart));
        runStart = i + 1;
        if (ch == kTab)
            moveToNextTabStop();
        else if (ch == kLineFeed)
            endLine();
        else if (ch == kFormFeed)
            beginNewPage();
        // A carriage return only prints the pending run; the position stays.
    }
    printRun(piece.substr(runStart));
}

void PrintLayout::printRun(std::string_view run) {
    while (!run.empty()) {
        std::size_t taken = run.size();
        TextExtent extent = m_device.measure(run);
        while (taken > 0 && m_x + extent.width > m_pageWidth) {
            taken = previousCharEnd(run, taken);
            extent = m_device.measure(run.substr(0, taken));
        }
        if (taken == 0 && m_x == 0) {
            // Not even one character fits on an empty line: print it anyway, or we never advance.
            taken = firstCharLength(run);
            extent = m_device.measure(run.substr(0, taken));
        }
        if (m_h < extent.height)
            m_h = extent.height + 2;
        if (taken > 0)
            m_device.draw(m_x, m_y, run.substr(0, taken));
        if (taken < run.size()) {
            endLine();
            run.remove_prefix(taken);
        } else {
            m_x += extent.width;
            run = {};
        }
    }
}

void PrintLayout::moveToNextTabStop() {
    // Lands on the next multiple of T, except from one unit before a multiple, which lands on the
    // multiple after that.
    const int t = std::max(1, 8 * m_device.averageCharWidth());
    m_x = m_x + t - ((m_x + t + 1) % t) + 1;
    if (m_x > m_pageWidth)
        endLine();
}

void PrintLayout::endLine() {
    m_x = 0;
    m_y += m_h == 0 ? m_device.charHeight() : m_h;
    if (m_y > m_pageHeight - 2 * m_h)
        beginNewPage();
    m_h = 0;
}

void PrintLayout::beginNewPage() {
    m_x = 0;
    m_y = 0;
    m_device.newPage();
}

} // namespace tavlor
