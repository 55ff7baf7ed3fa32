#pragma once

#include "core/files/descriptor.h"

#include <cerrno>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace tavlor {

/** The old bytes of a file that is rewritten in place, kept in a file of their own (synced) until
 *  the new bytes are safe, with a small record beside it: which file, its device and inode, the
 *  old and new length and a checksum of the new bytes. A save cut short (a kill, a power cut)
 *  leaves both, and recoverInterruptedSaves() puts the old bytes back at the next start.
 *  The copy goes to the first place that takes it: "tavlor" under $XDG_CACHE_HOME (or ~/.cache
 *  when the home folder is the running user's), under $XDG_RUNTIME_DIR, or a private folder made
 *  with mkdtemp under the temporary folder. A folder is used only when it is ours, mode 0700 and no
 *  link; folders are made only inside folders of ours. */
class OldBytesCopy {
public:
    /** Copies the bytes of fd (the file realPath) and writes the record for a rewrite to newText.
     *  Throws FileError "Cannot create file "%s". %s" (path) when no place takes them. */
    OldBytesCopy(int fd, const std::string& path, const std::string& realPath,
                 std::string_view newText);
    OldBytesCopy(const OldBytesCopy&) = delete;
    OldBytesCopy& operator=(const OldBytesCopy&) = delete;

    /** The file as it was before the rewrite. */
    const struct stat& old() const { return m_old; }
    /** Puts the old bytes back into fd; true when they are there and synced. */
    bool restore(int fd) const;
    /** The copy and its record are no longer needed. */
    void discard();

private:
    /** Makes the copy and its record in folder; false (nothing left there) when it cannot. */
    bool tryFolder(const std::string& folder, int fd, const std::string& record);

    struct stat m_old {};
    Descriptor m_copy;
    std::string m_copyPath;
    std::string m_name;       // the file's name, which the copy's name starts with
    std::string m_madeFolder; // a private temporary folder made for this copy, removed after
    int m_error = EACCES;     // why the last place did not take the copy
};

/** For each record of a save in place that was cut short: when the file holds exactly the new
 *  bytes (or still the old ones), the copy is dropped; otherwise the old bytes are put back.
 *  Copies that a running save holds are left alone. Returns the files whose earlier content was
 *  put back. */
std::vector<std::string> recoverInterruptedSaves();

/** The box that tells of them: "A save of <name> was interrupted; its earlier content was put
 *  back.", one line per file. */
std::string interruptedSavesText(const std::vector<std::string>& paths);

} // namespace tavlor
