// Print, Find, the edit commands and the Help menu.
#include "tform1.h"

void TForm1::FilePrint1Execute() {}

void TForm1::FilePrintSetup1Execute() {}

void TForm1::Find1Click() {}

void TForm1::ToolButton10Click() {}

void TForm1::FindDialogFind() {}

void TForm1::EditUndo1Execute() {}

void TForm1::EditCut1Execute() {}

void TForm1::EditCopy1Execute() {}

void TForm1::EditPaste1Execute() {}

void TForm1::EditDelete1Execute() {}

void TForm1::updateEditActions() {}

void TForm1::VersionHistory1Click() {}

void TForm1::About1Click() {}
