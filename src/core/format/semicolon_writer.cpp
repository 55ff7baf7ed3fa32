#include "core/format/semicolon_writer.h"

#include "core/sheet/sheet.h"

#include <algorithm>
#include <cstring>

namespace tavlor {

namespace {
// A std::string keeps up to 15 bytes in place, in a 16-byte buffer with the terminator.
constexpr std::size_t kShortCell = 16;
static_assert(sizeof(std::string) >= kShortCell);
} // namespace

std::string semicolonText(const Sheet& sheet, const TextCodec& codec) {
    std::string semicolon;
    std::string lineEnd;
    codec.encode(u";", semicolon);
    codec.encode(u"\r\n", lineEnd);
    const std::string_view mark = codec.byteOrderMark();
    const bool narrow = semicolon.size() == 1;
    const int rows = static_cast<int>(std::max<std::int64_t>(sheet.MaxRow(), 1));
    const int cols = static_cast<int>(std::max<std::int64_t>(sheet.MaxCol(), 1));
    std::size_t size =
        mark.size() + static_cast<std::size_t>(rows) *
                          (static_cast<std::size_t>(cols) * semicolon.size() + lineEnd.size());
    for (int r = 1; r <= rows; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= cols; ++c)
            size += cells[c].size();
    }
    // Room for one short cell's whole buffer past the end: see the copy below.
    std::string text(size + kShortCell, '\0');
    char* out = text.data();
    if (!mark.empty()) // an empty view may have no data at all, which memcpy must not get
        std::memcpy(out, mark.data(), mark.size());
    out += mark.size();
    for (int r = 1; r <= rows; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= cols; ++c) {
            const std::string& cell = cells[c];
            // Most cells are short: a fixed-size copy of the cell's buffer (every string's buffer
            // holds its capacity and a terminator, never fewer than kShortCell bytes) is two moves
            // instead of a call; the bytes past the cell are overwritten by what follows it.
            if (cell.size() <= kShortCell)
                std::memcpy(out, cell.data(), kShortCell);
            else
                std::memcpy(out, cell.data(), cell.size());
            out += cell.size();
            if (narrow) { // one byte stored directly: a copy of unknown length per cell costs more
                *out++ = semicolon[0];
            } else {
                std::memcpy(out, semicolon.data(), semicolon.size());
                out += semicolon.size();
            }
        }
        std::memcpy(out, lineEnd.data(), lineEnd.size());
        out += lineEnd.size();
    }
    text.resize(size);
    return text;
}

} // namespace tavlor
