#include "core/print/print_layout.h"

#include <algorithm>

namespace tavlor {

namespace {

constexpr char kTab = 9;
constexpr char kLineFeed = 10;
constexpr char kFormFeed = 12;
constexpr char kCarriageReturn = 13;

} // namespace

PrintLayout::PrintLayout(TextDevice& device, TextEncoding encoding)
    : m_device(device), m_codec(encoding), m_pageWidth(device.pageWidth()),
      m_pageHeight(device.pageHeight()) {}

std::size_t PrintLayout::previousCharEnd(std::string_view text, std::size_t end,
                                         TextEncoding encoding) {
    return TextCodec(encoding).previousCharEnd(text, end);
}

std::size_t PrintLayout::firstCharLength(std::string_view text, TextEncoding encoding) {
    return TextCodec(encoding).firstCharLength(text);
}

void PrintLayout::layOut(std::string_view piece) {
    // A character that the previous piece cut short is completed by this one, so its bytes are
    // drawn together rather than as two broken halves.
    std::string joined;
    if (!m_pending.empty()) {
        joined = m_pending + std::string(piece);
        m_pending.clear();
        piece = joined;
    }
    const std::size_t cut = m_codec.incompleteTail(piece);
    m_pending.assign(piece.substr(piece.size() - cut));
    piece.remove_suffix(cut);
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

void PrintLayout::finish() {
    const std::string rest = std::move(m_pending);
    m_pending.clear();
    printRun(rest);
}

void PrintLayout::printRun(std::string_view run) {
    while (!run.empty()) {
        std::size_t taken = run.size();
        TextExtent extent = m_device.measure(run);
        while (taken > 0 && m_x + extent.width > m_pageWidth) {
            taken = m_codec.previousCharEnd(run, taken);
            extent = m_device.measure(run.substr(0, taken));
        }
        if (taken == 0 && m_x == 0) {
            // Not even one character fits on an empty line: print it anyway, or we never advance.
            taken = m_codec.firstCharLength(run);
            extent = m_device.measure(run.substr(0, taken));
        }
        // The first text of a line that would reach below the printable area goes to the next
        // page: after empty lines the page-end test keeps no room for it.
        if (m_h == 0 && m_y > 0 && m_y + extent.height > m_pageHeight) {
            const int x = m_x;
            beginNewPage();
            m_x = x;
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
