#include "core/sheet/sheet_search.h"

namespace tavlor {

namespace {

bool containsAligned(const std::string& cell, std::string_view text, std::size_t unitSize) {
    for (std::size_t at = cell.find(text); at != std::string::npos; at = cell.find(text, at + 1)) {
        if (at % unitSize == 0)
            return true;
    }
    return false;
}

} // namespace

std::optional<CellPos> findInSheet(const Sheet& sheet, std::string_view text,
                                   std::size_t unitSize) {
    if (text.empty())
        return std::nullopt;
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        const std::string* cells = sheet.rowCells(row); // one look-up per row, made or not
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            const std::string& cell = cells[col];
            if (cell.size() >= text.size() && containsAligned(cell, text, unitSize))
                return CellPos{col, row};
        }
    }
    return std::nullopt;
}

} // namespace tavlor
