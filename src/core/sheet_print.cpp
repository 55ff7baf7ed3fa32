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

bool printSheet(const Sheet& sheet, TextDevice& device, const PrintProgress& progress) {
    PrintChannel channel(device);
    channel.open();
    // One row at a time, so memory does not grow with the sheet.
    const std::int64_t rows = sheet.MaxRow();
    for (std::int64_t row = 1; row <= rows; ++row) {
        channel.write(printRowText(sheet, static_cast<int>(row)));
        channel.writeLineEnd();
        if (progress && !progress(row, rows))
            return false; // the channel ends the job as it goes
    }
    channel.close();
    return true;
}

} // namespace tavlor
