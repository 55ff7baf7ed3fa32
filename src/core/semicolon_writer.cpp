#include "core/semicolon_writer.h"

#include "core/sheet.h"

#include <algorithm>

namespace tavlor {

std::string semicolonText(const Sheet& sheet) {
    const int rows = static_cast<int>(std::max<std::int64_t>(sheet.MaxRow(), 1));
    const int cols = static_cast<int>(std::max<std::int64_t>(sheet.MaxCol(), 1));
    std::size_t size = static_cast<std::size_t>(rows) * (static_cast<std::size_t>(cols) + 2);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            size += sheet.cell(c, r).size();
    std::string text;
    text.reserve(size);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            text += sheet.cell(c, r);
            text += ';';
        }
        text += "\r\n";
    }
    return text;
}

} // namespace tavlor
