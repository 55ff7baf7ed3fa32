#include "core/text_encoding.h"

#include "core/encoding_table.h"
#include "core/sheet.h"
#include "core/utf8.h"

namespace tavlor {

std::string_view encodingName(TextEncoding encoding) {
    return encodingRow(encoding).name;
}

std::string_view encodingLanguages(TextEncoding encoding) {
    return encodingRow(encoding).languages;
}

TextEncoding detectEncoding(const Sheet& sheet) {
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        const std::string* cells = sheet.rowCells(row);
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            const std::string& text = cells[col];
            if (!isPlainAscii(text) && !isWellFormedUtf8(text))
                return TextEncoding::Windows1254;
        }
    }
    return TextEncoding::Utf8;
}

bool startsWithUtf16ByteOrderMark(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

} // namespace tavlor
