#include "core/print/sheet_print.h"

namespace tavlor {

std::string printRowText(const Sheet& sheet, int row, const TextCodec& codec) {
    std::string text;
    const bool asTheyAre = codec.keepsAsciiBytes();
    for (int col = 0; col <= Sheet::kLastCol; ++col) {
        const std::string& cell = sheet.cell(col, row);
        if (asTheyAre || col == 0)
            text += cell; // as it is: a conditional expression would copy it first
        else
            text += codec.toUtf8(cell);
        text += "\r\n";
    }
    return text;
}

TextEncoding printedEncoding(TextEncoding encoding) {
    const CodecFamily family = encodingRow(encoding).family;
    const bool utf16 = family == CodecFamily::Utf16Le || family == CodecFamily::Utf16Be;
    return utf16 ? TextEncoding::Utf8 : encoding;
}

bool printSheet(const Sheet& sheet, TextDevice& device, TextEncoding encoding,
                const PrintProgress& progress) {
    const TextCodec codec(encoding);
    PrintChannel channel(device, printedEncoding(encoding));
    channel.open();
    // One row at a time, so memory does not grow with the sheet.
    const std::int64_t rows = sheet.MaxRow();
    for (std::int64_t row = 1; row <= rows; ++row) {
        channel.write(printRowText(sheet, static_cast<int>(row), codec));
        channel.writeLineEnd();
        if (progress && !progress(row, rows))
            return false; // the channel ends the job as it goes
    }
    channel.close();
    return true;
}

} // namespace tavlor
