// Document commands: New, Open, Save, Save As, the close query, start-up file and dropped files.
#include "ui/tform1.h"

#include "core/old_bytes_copy.h"

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
    // A save in place cut short at the last run gets its file's old bytes back before any file
    // is read; the box waits, like the start-up file's boxes, until the window stands in place.
    const std::vector<std::string> restored = tavlor::recoverInterruptedSaves();
    if (!restored.empty())
        m_documentUi.showNotice("InterruptedSave", tavlor::interruptedSavesText(restored));
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
