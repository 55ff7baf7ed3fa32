// Feeds arbitrary bytes to the semicolon reader, whole and in random pieces, and checks that both
// give the same sheet and report, that nothing lands outside the data cells, and that text which
// needs no splitting survives a write and a second read.
#include "core/format/semicolon_reader.h"
#include "core/format/semicolon_writer.h"
#include "core/sheet/sheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool sameReport(const tavlor::LoadReport& a, const tavlor::LoadReport& b) {
    return a.linesBeyondLastRow == b.linesBeyondLastRow &&
           a.cellsBeyondLastColumn == b.cellsBeyondLastColumn &&
           a.textAfterNulIgnored == b.textAfterNulIgnored &&
           a.moreLinesNotRead == b.moreLinesNotRead;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static tavlor::Sheet whole;
    static tavlor::Sheet pieces;
    static tavlor::Sheet again;
    whole.clearData();
    pieces.clearData();
    again.clearData();

    const tavlor::LoadReport report = tavlor::parseSemicolonText(text, whole);

    // The same bytes in pieces whose sizes come from the bytes themselves.
    tavlor::SemicolonReader reader(pieces);
    std::size_t at = 0;
    while (at < size) {
        const std::size_t step = 1 + (data[at] % 7);
        const std::size_t n = step < size - at ? step : size - at;
        reader.feed(text.substr(at, n));
        at += n;
    }
    reader.finish();
    require(sameReport(report, reader.report()));
    require(whole.contentText() == pieces.contentText());
    require(!report.moreLinesNotRead && report.message().empty() == !report.lostSomething());

    // Same cells, cell for cell: the written texts of both sheets agree. Cells read from a file
    // never hold ";", CR, LF or NUL, so a second read of that text gives it back unchanged.
    whole.Genislik();
    pieces.Genislik();
    const std::string written = tavlor::semicolonText(whole);
    require(written == tavlor::semicolonText(pieces));
    require(!tavlor::parseSemicolonText(written, again).lostSomething());
    again.Genislik();
    require(tavlor::semicolonText(again) == written);

    // The extent against a sweep of it; every non-empty cell lies inside it (the independent cell
    // count says none is outside), and no header cell was touched.
    std::int64_t maxRow = 0;
    std::int64_t maxCol = 0;
    std::int64_t filled = 0;
    for (int r = 1; r <= whole.MaxRow(); ++r) {
        const std::string* cells = whole.rowCells(r);
        require(cells[0].empty());
        for (int c = 1; c <= whole.MaxCol(); ++c) {
            if (cells[c].empty())
                continue;
            require(cells[c].find_first_of(std::string_view(";\r\n\0", 4)) == std::string::npos);
            ++filled;
            maxRow = r;
            maxCol = c > maxCol ? c : maxCol;
        }
    }
    require(whole.MaxRow() == maxRow && whole.MaxCol() == maxCol);
    require(filled == whole.filledCells());
    require(whole.contentText().size() == whole.contentLength());
    for (int c = 0; c <= tavlor::Sheet::kLastCol; ++c)
        require(whole.cell(c, 0).empty());
    return 0;
}
