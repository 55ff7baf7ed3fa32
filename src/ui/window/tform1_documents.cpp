// Document commands: New, Open, Save, Save As, the close query, start-up file and dropped files.
#include "ui/window/tform1.h"

#include "core/save/old_bytes_copy.h"

#include <utility>

namespace {
// Settles the recovery file once a document command ends, also when an error ended it.
class SettleAfter {
public:
    explicit SettleAfter(tavlor::DocumentRecovery& recovery) : m_recovery(recovery) {}
    ~SettleAfter() { m_recovery.settle(); }
    SettleAfter(const SettleAfter&) = delete;
    SettleAfter& operator=(const SettleAfter&) = delete;

private:
    tavlor::DocumentRecovery& m_recovery;
};
} // namespace

// FileNew1Execute, FileOpen1Execute, FileSave1Execute and SaveAs1Click (tform1.h).
void TForm1::runSettled(void (tavlor::DocumentWorkflow::*command)()) {
    const SettleAfter settle(m_recovery);
    (m_workflow.*command)();
}

bool TForm1::FormCloseQuery() {
    // The workflow refuses before it prompts or writes, so an error thrown by a failed write
    // leaves the window open.
    bool CanClose = true;
    m_workflow.queryClose(CanClose);
    return CanClose;
}

void TForm1::FormShow() {
    const SettleAfter settle(m_recovery);
    // The file read ahead holds its file until the read ends; a save in place is only restored
    // after that, and a restored file is read anew.
    const std::unique_ptr<tavlor::SheetLoadAhead> ahead = std::move(m_loadAhead);
    if (ahead)
        ahead->wait();
    // A save in place cut short at the last run gets its file's old bytes back before any file
    // is read; the box waits, like the start-up file's boxes, until the window stands in place.
    const std::vector<std::string> restored = tavlor::recoverInterruptedSaves();
    if (!restored.empty())
        m_documentUi.showNotice("InterruptedSave", tavlor::interruptedSavesText(restored));
    m_workflow.openCommandLine(m_commandLine, restored.empty() ? ahead.get() : nullptr);
}

void TForm1::WMDropFiles(const std::vector<std::string>& paths) {
    const SettleAfter settle(m_recovery);
    m_workflow.openDropped(paths);
}

const std::string& TForm1::CurrentFileName() const {
    return m_workflow.CurrentFileName();
}

void TForm1::setCommandLine(std::vector<std::string> arguments,
                            std::unique_ptr<tavlor::SheetLoadAhead> ahead) {
    m_commandLine = std::move(arguments);
    m_loadAhead = std::move(ahead);
}
