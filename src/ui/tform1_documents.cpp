// Document commands: New, Open, Save, Save As, the close query, start-up file and dropped files.
#include "ui/tform1.h"

#include <utility>

void TForm1::FileNew1Execute() {
    m_workflow.newDocument();
}

void TForm1::FileOpen1Execute() {
    m_workflow.open();
}

void TForm1::FileSave1Execute() {
    m_workflow.save();
}

void TForm1::SaveAs1Click() {
    m_workflow.saveAs();
}

bool TForm1::FormCloseQuery() {
    // The workflow refuses before it prompts or writes, so an error thrown by a failed write
    // leaves the window open.
    bool CanClose = true;
    m_workflow.queryClose(CanClose);
    return CanClose;
}

void TForm1::FormShow() {
    m_workflow.openCommandLine(m_commandLine);
}

void TForm1::WMDropFiles(const std::vector<std::string>& paths) {
    m_workflow.openDropped(paths);
}

const std::string& TForm1::CurrentFileName() const {
    return m_workflow.CurrentFileName();
}

void TForm1::setCommandLine(std::vector<std::string> arguments) {
    m_commandLine = std::move(arguments);
}
