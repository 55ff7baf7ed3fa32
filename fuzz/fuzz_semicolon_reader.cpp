// Feeds arbitrary bytes to the semicolon reader, whole and in random pieces, and checks that both
// give the same sheet and report, that nothing lands outside the data cells, and that text which
// needs no splitting survives a write and a second read. Text behind a UTF-16 mark is checked in
// its two-byte units and written back in its encoding.
#include "core/format/semicolon_reader.h"
#include "core/format/semicolon_writer.h"
#include "core/sheet/sheet.h"
#include "core/text/text_codec.h"

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
           a.halfCharacterAtEndIgnored == b.halfCharacterAtEndIgnored &&
           a.moreLinesNotRead == b.moreLinesNotRead;
}

// The unit at byte i of a cell is ";", CR, LF or NUL in the text's encoding.
bool isStop(const std::string& cell, std::size_t i, const tavlor::TextCodec& codec) {
    const std::u16string unit = codec.decode(std::string_view(cell).substr(i, codec.unitSize()));
    return unit.size() == 1 && (unit[0] == u';' || unit[0] == u'\r' || unit[0] == u'\n' ||
                                unit[0] == u'\0');
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

    // Text behind a UTF-16 mark is split by its two-byte units and written back in them.
    const tavlor::TextCodec codec(reader.markedEncoding().value_or(tavlor::TextEncoding::Utf8));
    const std::size_t unit = codec.unitSize();

    // Same cells, cell for cell: the written texts of both sheets agree. Cells read from a file
    // never hold ";", CR, LF or NUL, so a second read of that text gives it back unchanged.
    whole.Genislik();
    pieces.Genislik();
    const std::string written = tavlor::semicolonText(whole, codec);
    require(written == tavlor::semicolonText(pieces, codec));
    require(!tavlor::parseSemicolonText(written, again).lostSomething());
    again.Genislik();
    require(tavlor::semicolonText(again, codec) == written);

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
            require(cells[c].size() % unit == 0);
            for (std::size_t i = 0; i < cells[c].size(); i += unit)
                require(!isStop(cells[c], i, codec));
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
