// The window's commands, one row each: a new command is a row here and its handler.
#include "ui/window/tform1_command_table.h"

std::span<const TForm1::Command> TForm1::commandTable() {
    using A = TForm1Actions;
    using enum Command::Menu;
    // clang-format off
    static constexpr Command table[] = {
        // action, handler, object name,
        //     caption, hint, shortcut, glyph, enabled, {menu, separator}, {button, separator}
        {&A::FileNew1, &TForm1::FileNew1Execute, "FileNew1",
            "&New", "New|Create a new file", "Ctrl+N", 0, true, {File}, {"ToolButton1"}},
        {&A::FileOpen1, &TForm1::FileOpen1Execute, "FileOpen1",
            "&Open", "Open|Open a file", "Ctrl+O", 1, true, {File}, {"ToolButton2"}},
        {&A::FileSave1, &TForm1::FileSave1Execute, "FileSave1",
            "&Save", "Save|Save current file", "Ctrl+S", 2, true, {File}, {"ToolButton3"}},
        {&A::SaveAs1, &TForm1::SaveAs1Click, "SaveAs1",
            "Save As...", "", "", -1, true, {File}, {}},
        {&A::FilePrintSetup1, &TForm1::FilePrintSetup1Execute, "FilePrintSetup1",
            "Print Set&up...", "Print Setup", "", -1, true, {File, "N1"}, {}},
        {&A::FilePrint1, &TForm1::FilePrint1Execute, "FilePrint1",
            "&Print...", "Print|Print current file", "", 3, true, {File}, {"ToolButton5"}},
        {&A::Exit1, &TForm1::Exit1Click, "Exit1",
            "Exit", "", "", -1, true, {File, "N2"}, {}},
        {&A::EditUndo1, &TForm1::EditUndo1Execute, "EditUndo1",
            "&Undo", "Undo|Revert the last action", "Ctrl+Z", 4, false, {Edit},
            {"ToolButton6", "ToolButton4"}},
        {&A::EditCut1, &TForm1::EditCut1Execute, "EditCut1",
            "Cu&t", "Cut|Cut the selection and put it on the Clipboard", "Ctrl+X", 5, true,
            {Edit, "N3"}, {"ToolButton7", "ToolButton13"}},
        {&A::EditCopy1, &TForm1::EditCopy1Execute, "EditCopy1",
            "&Copy", "Copy|Copy the selection and put it on the Clipboard", "Ctrl+C", 6, true,
            {Edit}, {"ToolButton8"}},
        {&A::EditPaste1, &TForm1::EditPaste1Execute, "EditPaste1",
            "&Paste", "Paste|Insert Clipboard contents", "Ctrl+V", 7, false, {Edit},
            {"ToolButton9"}},
        {&A::EditDelete1, &TForm1::EditDelete1Execute, "EditDelete1",
            "&Delete", "Delete|Erase the selection", "", 10, true, {Edit}, {}},
        {&A::Find1, &TForm1::Find1Click, "Find1",
            "Find...", "", "", 8, true, {Edit, "N4"}, {}},
        {&A::ToolButton10, &TForm1::ToolButton10Click, "ToolButton10",
            "&Find", "Find|Find a text", "", 8, true, {}, {"ToolButton10", "ToolButton14"}},
        {&A::VersionHistory1, &TForm1::VersionHistory1Click, "VersionHistory1",
            "Version History", "", "", -1, true, {Help}, {}},
        {&A::About1, &TForm1::About1Click, "About1",
            "About...", "", "", -1, true, {Help}, {}},
    };
    // clang-format on
    return table;
}
