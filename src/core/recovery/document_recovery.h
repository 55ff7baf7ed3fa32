#pragma once

#include "core/document/document_ui.h"
#include "core/files/file_stamp.h"
#include "core/recovery/recovery_file.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavlor {

class DocumentWorkflow;
class OrphanedRecovery;
class RecoveryStore;
class SheetDocument;

/** What keeping unsaved work needs from the window. */
class RecoveryUi {
public:
    virtual ~RecoveryUi() = default;
    /** The start-up question: Yes restores, No discards, Cancel (the box closed) keeps the file
     *  for the next start. */
    virtual Answer askToRestore(const std::string& text) = 0;
    /** A recovery file that cannot be used; it stays where it is. */
    virtual void showRecoveryProblem(const std::string& text) = 0;
    /** The recovery file could not be written; editing goes on. */
    virtual void showRecoveryWriteFailure(const std::string& text) = 0;
};

/** Keeps the unsaved changes of the document in a recovery file, and at start-up offers the
 *  recovery files that earlier runs left behind when they did not end properly. */
class DocumentRecovery {
public:
    DocumentRecovery(SheetDocument& document, DocumentWorkflow& workflow, RecoveryStore& store);
    DocumentRecovery(const DocumentRecovery&) = delete;
    DocumentRecovery& operator=(const DocumentRecovery&) = delete;

    /** Writes the recovery file of a modified document, stamped with now (seconds since 1970).
     *  A failure is told once through ui, until a write succeeds again. Returns whether the
     *  document's changes are in the file (true when there are none to keep). */
    bool write(std::int64_t now, RecoveryUi& ui);
    /** The recovery file's text for a modified document, stamped with now; nothing when there
     *  are no unsaved changes. */
    std::optional<std::string> text(std::int64_t now) const;
    /** A write ended with error ("" when it succeeded): a failure is told once through ui, until
     *  a write succeeds again. Returns whether it succeeded. */
    bool noteWritten(const std::string& error, RecoveryUi& ui);
    /** After a document command: with nothing unsaved the recovery file goes, and the file as it
     *  now is becomes the one the changes start from. */
    void settle();
    /** Removes the recovery file: the program ends and nothing unsaved is to be kept. */
    void discard();
    /** Offers each recovery file that no running instance owns, oldest first. Restoring one
     *  replaces the document (after the save question when it has unsaved changes) and keeps it
     *  modified under its old name; its file is taken over by this instance's own. */
    void offerOrphans(RecoveryUi& ui, std::int64_t now);

    /** The start-up question for header, its time shown as timeText. */
    static std::string question(const RecoveryHeader& header, const std::string& timeText,
                                bool fileChanged);
    /** A time as local date and time, e.g. "2026-12-08 18:04". */
    static std::string localTimeText(std::int64_t seconds);

private:
    /** Asks about one orphan and does what the answer says. */
    void offer(OrphanedRecovery& orphan, RecoveryUi& ui, std::int64_t now);

    SheetDocument& m_document;
    DocumentWorkflow& m_workflow;
    RecoveryStore& m_store;
    FileIdentity m_baseline; // the document's file as it was loaded or saved
    bool m_failing = false;  // the last write failed and was told
};

} // namespace tavlor
