#include "core/semicolon_writer.h"

#include "core/sheet.h"

#include <algorithm>
#include <cstring>

namespace tavlor {

std::string semicolonText(const Sheet& sheet) {
    const int rows = static_cast<int>(std::max<std::int64_t>(sheet.MaxRow(), 1));
    const int cols = static_cast<int>(std::max<std::int64_t>(sheet.MaxCol(), 1));
    std::size_t size = static_cast<std::size_t>(rows) * (static_cast<std::size_t>(cols) + 2);
    for (int r = 1; r <= rows; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= cols; ++c)
            size += cells[c].size();
    }
    std::string text(size, '\0');
    char* out = text.data();
    for (int r = 1; r <= rows; ++r) {
        const std::string* cells = sheet.rowCells(r);
        for (int c = 1; c <= cols; ++c) {
            const std::string& cell = cells[c];
            std::memcpy(out, cell.data(), cell.size());
            out += cell.size();
            *out++ = ';';
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    return text;
}

} // namespace tavlor
