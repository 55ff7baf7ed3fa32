// The window's commands, one row each: a new command is a row here and its handler. Everything
// else finds the command's action by the row's id (ActionRegistry).
#include "ui/window/tform1_command_table.h"

#include "ui/encoding/document_encoding_control.h"

std::span<const TForm1::Command> TForm1::commandTable() {
    using enum Command::Menu;
    // clang-format off
    static constexpr Command table[] = {
        // id, handler,
        //     caption, hint, shortcut, glyph, enabled, {menu, separator}, {button, separator}
        {"FileNew1", [](TForm1& w) { w.FileNew1Execute(); },
            "&New", "New|Create a new file", "Ctrl+N", 0, true, {File}, {"ToolButton1"}},
        {"FileOpen1", [](TForm1& w) { w.FileOpen1Execute(); },
            "&Open", "Open|Open a file", "Ctrl+O", 1, true, {File}, {"ToolButton2"}},
        {"FileSave1", [](TForm1& w) { w.FileSave1Execute(); },
            "&Save", "Save|Save current file", "Ctrl+S", 2, true, {File}, {"ToolButton3"}},
        {"SaveAs1", [](TForm1& w) { w.SaveAs1Click(); },
            "Save As...", "", "", -1, true, {File}, {}},
        {"FilePrintSetup1", [](TForm1& w) { w.FilePrintSetup1Execute(); },
            "Print Set&up...", "Print Setup", "", -1, true, {File, "N1"}, {}},
        {"FilePrint1", [](TForm1& w) { w.FilePrint1Execute(); },
            "&Print...", "Print|Print current file", "", 3, true, {File}, {"ToolButton5"}},
        {"Exit1", [](TForm1& w) { w.Exit1Click(); },
            "Exit", "", "", -1, true, {File, "N2"}, {}},
        {"EditUndo1", [](TForm1& w) { w.m_editCommands->EditUndo1Execute(); },
            "&Undo", "Undo|Revert the last action", "Ctrl+Z", 4, false, {Edit},
            {"ToolButton6", "ToolButton4"}},
        {"EditCut1", [](TForm1& w) { w.m_editCommands->EditCut1Execute(); },
            "Cu&t", "Cut|Cut the selection and put it on the Clipboard", "Ctrl+X", 5, true,
            {Edit, "N3"}, {"ToolButton7", "ToolButton13"}},
        {"EditCopy1", [](TForm1& w) { w.m_editCommands->EditCopy1Execute(); },
            "&Copy", "Copy|Copy the selection and put it on the Clipboard", "Ctrl+C", 6, true,
            {Edit}, {"ToolButton8"}},
        {"EditPaste1", [](TForm1& w) { w.m_editCommands->EditPaste1Execute(); },
            "&Paste", "Paste|Insert Clipboard contents", "Ctrl+V", 7, false, {Edit},
            {"ToolButton9"}},
        {"EditDelete1", [](TForm1& w) { w.m_editCommands->EditDelete1Execute(); },
            "&Delete", "Delete|Erase the selection", "", 10, true, {Edit}, {}},
        {"Find1", [](TForm1& w) { w.Find1Click(); },
            "Find...", "", "", 8, true, {Edit, "N4"}, {}},
        {"ToolButton10", [](TForm1& w) { w.ToolButton10Click(); },
            "&Find", "Find|Find a text", "", 8, true, {}, {"ToolButton10", "ToolButton14"}},
        // The Encoding submenu closes the Edit menu; its key opens the status-bar field's menu.
        {"EncodingMenu1", [](TForm1& w) { w.m_encodingControl->EncodingMenu1Click(); },
            "Encoding", "", "Ctrl+Shift+E", -1, true, {}, {}},
        {"ConvertToUtf81", [](TForm1& w) { w.m_encodingControl->ConvertToUtf81Click(); },
            "Convert Document to UTF-8", "|Rewrite all text as UTF-8 bytes", "", -1, false,
            {Encoding, ""}, {}},
        {"VersionHistory1", [](TForm1& w) { w.VersionHistory1Click(); },
            "Version History", "", "", -1, true, {Help}, {}},
        {"About1", [](TForm1& w) { w.About1Click(); },
            "About...", "", "", -1, true, {Help}, {}},
    };
    // clang-format on
    return table;
}
