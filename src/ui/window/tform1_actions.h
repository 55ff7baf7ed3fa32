#pragma once

class QAction;

/** The window's commands, shared by menu items, toolbar buttons and shortcuts. Each is made from
 *  its row of the window's command table (tform1_command_table.cpp). */
struct TForm1Actions {
    QAction* FileNew1 = nullptr;
    QAction* FileOpen1 = nullptr;
    QAction* FileSave1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* FilePrintSetup1 = nullptr;
    QAction* FilePrint1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* EditUndo1 = nullptr;
    QAction* EditCut1 = nullptr;
    QAction* EditCopy1 = nullptr;
    QAction* EditPaste1 = nullptr;
    QAction* EditDelete1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* ToolButton10 = nullptr; // the toolbar's Find button
    QAction* VersionHistory1 = nullptr;
    QAction* About1 = nullptr;
};
