#include "core/format/load_report.h"

namespace tavlor {

bool LoadReport::lostSomething() const {
    return linesBeyondLastRow > 0 || moreLinesNotRead || cellsBeyondLastColumn > 0 ||
           textAfterNulIgnored || halfCharacterAtEndIgnored;
}

std::string LoadReport::message() const {
    if (!lostSomething())
        return {};
    std::string text = "Part of the file does not fit in the sheet and was not loaded:";
    if (moreLinesNotRead)
        text += "\n- the lines after row 9999 (the file was read only up to there)";
    else if (linesBeyondLastRow > 0)
        text += "\n- " + std::to_string(linesBeyondLastRow) +
                (linesBeyondLastRow == 1 ? " line" : " lines") + " after row 9999";
    if (cellsBeyondLastColumn > 0)
        text += "\n- " + std::to_string(cellsBeyondLastColumn) +
                (cellsBeyondLastColumn == 1 ? " non-empty cell" : " non-empty cells") +
                " after column Z";
    if (textAfterNulIgnored)
        text += "\n- everything from the first NUL byte on";
    if (halfCharacterAtEndIgnored)
        text += "\n- the last byte, which is only half of a UTF-16 character";
    text += "\nSaving will write the file without them.";
    return text;
}

} // namespace tavlor
