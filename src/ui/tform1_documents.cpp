// Document commands: New, Open, Save, Save As, the close query, start-up file and dropped files.
#include "tform1.h"

void TForm1::FileNew1Execute() {}

void TForm1::FileOpen1Execute() {}

void TForm1::FileSave1Execute() {}

void TForm1::SaveAs1Click() {}

bool TForm1::FormCloseQuery() {
    return true;
}

void TForm1::FormShow() {
    m_document.Genislik();
}

void TForm1::WMDropFiles(const QStringList& paths) {
    (void)paths;
}
