#include "core/recovery/document_recovery.h"

#include "core/document/document_workflow.h"
#include "core/document/sheet_document.h"
#include "core/files/file_error.h"
#include "core/recovery/recovery_store.h"

#include <ctime>

namespace tavlor {

DocumentRecovery::DocumentRecovery(SheetDocument& document, DocumentWorkflow& workflow,
                                   RecoveryStore& store)
    : m_document(document), m_workflow(workflow), m_store(store) {}

bool DocumentRecovery::write(std::int64_t now, RecoveryUi& ui) {
    const std::optional<std::string> bytes = text(now);
    if (!bytes)
        return true;
    std::string error;
    try {
        m_store.write(*bytes);
    } catch (const FileError& failure) {
        error = failure.what();
    }
    return noteWritten(error, ui);
}

std::optional<std::string> DocumentRecovery::text(std::int64_t now) const {
    if (!m_document.isModified())
        return std::nullopt;
    const RecoveryHeader header{m_workflow.CurrentFileName(), m_document.encoding(), now,
                                m_baseline};
    return recoveryText(header, m_document.sheet());
}

bool DocumentRecovery::noteWritten(const std::string& error, RecoveryUi& ui) {
    if (error.empty()) {
        m_failing = false;
        return true;
    }
    if (!m_failing)
        ui.showRecoveryWriteFailure("Unsaved changes cannot be kept for recovery: " +
                                    displayedMessage(error));
    m_failing = true;
    return false;
}

void DocumentRecovery::settle() {
    if (m_document.isModified())
        return;
    m_store.discard();
    m_baseline = m_workflow.ownFileStamp().identity;
}

void DocumentRecovery::discard() {
    m_store.discard();
}

void DocumentRecovery::offerOrphans(RecoveryUi& ui, std::int64_t now) {
    for (OrphanedRecovery& orphan : m_store.claimOrphans())
        offer(orphan, ui, now);
}

void DocumentRecovery::offer(OrphanedRecovery& orphan, RecoveryUi& ui, std::int64_t now) {
    std::string text;
    RecoveryHeader header;
    try {
        text = orphan.read();
        header = parseRecoveryText(text);
    } catch (const std::exception& error) {
        ui.showRecoveryProblem("The recovery file " + orphan.path() +
                               " cannot be used: " + error.what() + ". It is left where it is.");
        return;
    }
    const bool changed =
        !header.path.empty() && FileIdentity::ofPath(header.path) != header.identity;
    switch (ui.askToRestore(question(header, localTimeText(header.savedAt), changed))) {
    case Answer::No:
        orphan.discard();
        return;
    case Answer::Cancel:
        return;
    case Answer::Yes:
        break;
    }
    if (!m_workflow.mayReplace())
        return;
    m_document.restore(header.encoding, [&text](Sheet& sheet) {
        parseRecoveryText(text, [&sheet](int col, int row, std::string_view bytes) {
            sheet.loadCell(col, row, bytes);
        });
    });
    m_workflow.adoptName(header.path);
    m_baseline = header.identity;
    // The old file goes only once this instance's own file holds the changes.
    if (write(now, ui))
        orphan.discard();
}

std::string DocumentRecovery::question(const RecoveryHeader& header, const std::string& timeText,
                                       bool fileChanged) {
    const std::string name = header.path.empty() ? std::string("a new sheet") : header.path;
    return "Vorlane Tavlor was not closed properly. Unsaved changes to " + name + " from " +
           timeText + " can be restored." +
           (fileChanged ? " The file has changed on disk since then." : "") + " Restore them?";
}

std::string DocumentRecovery::localTimeText(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[64] = {};
    if (::localtime_r(&time, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0)
        return std::to_string(seconds);
    return text;
}

} // namespace tavlor
