#pragma once

#include "core/files/file_stamp.h"

#include <optional>
#include <string>

namespace tavlor {

class DocumentUi;
struct LoadReport;

/** What the document knows of its own file, and the questions before a write to it would lose
 *  something: another program changed the file since it was opened or saved, or the load left
 *  part of the file out of the sheet. */
class OwnFileGuard {
public:
    /** A file was opened: its stamp, and whether the sheet holds less than the file. */
    void loaded(const LoadReport& report);
    /** The document was written to its own file (or under a new name it now has). */
    void saved(const FileStamp& stamp);
    /** The document has no file (unnamed, or its load failed). */
    void forget();

    /** Asks the questions a write of the document to its own file needs. False when the user said
     *  No: nothing may be written, the document stays as it is. */
    bool mayWrite(const std::string& path, DocumentUi& ui) const;
    /** The notice for the status bar when the file at path changed since it was opened or saved
     *  and that change was not told yet; nothing otherwise. */
    std::optional<std::string> changeNotice(const std::string& path);

    /** The file as the document last read or wrote it. */
    const FileStamp& stamp() const { return m_stamp; }

    static std::string changedQuestion(const std::string& path);
    static std::string leftOutQuestion(const std::string& path);

private:
    FileStamp m_stamp;
    bool m_leftOut = false; // the sheet holds less than the file; not yet confirmed by a save
    FileIdentity m_told;    // the changed file the notice last told about
};

} // namespace tavlor
