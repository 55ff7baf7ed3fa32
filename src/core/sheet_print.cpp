#include "core/sheet_print.h"

namespace tavlor {

std::string printRowText(const Sheet& sheet, int row) {
    std::string text;
    for (int col = 0; col <= Sheet::kLastCol; ++col) {
        text += sheet.cell(col, row);
        text += "\r\n";
    }
    return text;
}

void printSheet(const Sheet& sheet, TextDevice& device, TextEncoding encoding) {
    PrintChannel channel(device, encoding);
    channel.open();
    // One row at a time, so memory does not grow with the sheet.
    for (std::int64_t row = 1; row <= sheet.MaxRow(); ++row) {
        channel.write(printRowText(sheet, static_cast<int>(row)));
        channel.writeLineEnd();
    }
    channel.close();
}

} // namespace tavlor
