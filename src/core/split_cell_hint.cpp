#include "core/split_cell_hint.h"

namespace tavlor {

std::string splitCellHint(std::string_view cellName, std::string_view text) {
    const bool semicolon = text.find(';') != std::string_view::npos;
    const bool lineBreak = text.find_first_of("\r\n") != std::string_view::npos;
    if (!semicolon && !lineBreak)
        return {};
    const char* what = semicolon && lineBreak ? "a semicolon and a line break"
                       : semicolon            ? "a semicolon"
                                              : "a line break";
    const char* result = semicolon && lineBreak ? "other cells and rows"
                         : semicolon            ? "two cells"
                                                : "two rows";
    return std::string(cellName) + " holds " + what +
           ": the file has no quoting, so the cell will read back split into " + result + ".";
}

} // namespace tavlor
