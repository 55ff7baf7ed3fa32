#include "core/sheet_search.h"

namespace tavlor {

std::optional<CellPos> findInSheet(const Sheet& sheet, std::string_view text) {
    if (text.empty())
        return std::nullopt;
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            const std::string& cell = sheet.cell(col, row);
            if (cell.size() >= text.size() && cell.find(text) != std::string::npos)
                return CellPos{col, row};
        }
    }
    return std::nullopt;
}

} // namespace tavlor
