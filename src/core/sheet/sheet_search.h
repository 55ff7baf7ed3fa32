#pragma once

#include "core/sheet/sheet.h"

#include <optional>
#include <string_view>

namespace tavlor {

/** A data cell of the sheet: column 1..26, row 1..9999. */
struct CellPos {
    int col = 1;
    int row = 1;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

/** The first data cell, in reading order from A1 (rows top to bottom, columns A to Z), whose text
 *  contains text byte for byte at a multiple of unitSize (the bytes of a code unit: 2 in UTF-16,
 *  so a match never straddles two characters); header cells are never looked at and empty text
 *  finds nothing. */
std::optional<CellPos> findInSheet(const Sheet& sheet, std::string_view text,
                                   std::size_t unitSize = 1);

} // namespace tavlor
