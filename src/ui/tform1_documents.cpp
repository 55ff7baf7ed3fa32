// Document commands: New, Open, Save, Save As, the close query, start-up file and dropped files.
#include "ui/tform1.h"

#include <utility>

void TForm1::FileNew1Execute() {
    m_workflow.FileNew1Execute();
}

void TForm1::FileOpen1Execute() {
    m_workflow.FileOpen1Execute();
}

void TForm1::FileSave1Execute() {
    m_workflow.FileSave1Execute();
}

void TForm1::SaveAs1Click() {
    m_workflow.SaveAs1Click();
}

bool TForm1::FormCloseQuery() {
    // The workflow refuses before it prompts or writes, so an error thrown by a failed write
    // leaves the window open.
    bool CanClose = true;
    m_workflow.FormCloseQuery(CanClose);
    return CanClose;
}

void TForm1::FormShow() {
    m_workflow.FormShow(m_commandLine);
}

void TForm1::WMDropFiles(const std::vector<std::string>& paths) {
    m_workflow.WMDropFiles(paths);
}

const std::string& TForm1::CurrentFileName() const {
    return m_workflow.CurrentFileName();
}

void TForm1::setCommandLine(std::vector<std::string> arguments) {
    m_commandLine = std::move(arguments);
}
