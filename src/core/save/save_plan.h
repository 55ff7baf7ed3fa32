#pragma once

#include "core/files/descriptor.h"

#include <string>
#include <sys/stat.h>

namespace tavlor {

/** How a save puts the new text in place of the file. */
enum class SaveRoute {
    Rename,  // a new file in the same folder, synced and renamed over the old name
    InPlace, // the old file itself rewritten, its old bytes kept aside until the new are safe
    Refuse   // nothing is written; the error says why
};

/** What the kernel says about the file a save would replace and the folder it stands in. */
struct TargetFacts {
    bool exists = false;               // a file stands at the name (links followed)
    mode_t mode = 0;                   // its type and permission bits
    nlink_t links = 1;                 // its number of names
    int openError = 0;                 // why it could not be opened for writing (0: it could)
    bool readable = false;             // its old bytes can be read, to keep them during in place
    bool mountRoot = false;            // something is mounted on it (a bind-mounted file)
    bool folderTakesNewFiles = true;   // we may add and rename names in its folder
    bool newFileGetsOwner = true;      // a new file can be given its owner and group
    bool stickyFolderOfOthers = false; // a sticky folder lets only the owners replace the name
    bool renameRefused = false;        // a rename was tried and the file system would not do it
};

struct SavePlan {
    SaveRoute route = SaveRoute::Rename;
    int error = 0;           // errno value of a refusal
    const char* reason = ""; // why this route, in a few words
};

/** The one decision where a save goes: by rename, in place, or refused with the reason. */
SavePlan decideSave(const TargetFacts& facts);

/** The file a save replaces, looked at through the kernel: links are resolved by opening the name
 *  (so the kernel's rules for following them apply), the file is opened and locked, and the facts
 *  the decision needs are gathered. A name that cannot be looked at throws FileError
 *  "Cannot create file "%s". %s" with the kernel's error. */
class SaveTarget {
public:
    explicit SaveTarget(const std::string& path);
    SaveTarget(const SaveTarget&) = delete;
    SaveTarget& operator=(const SaveTarget&) = delete;
    /** Removes a file that only this save made (through a dangling link) when the save failed. */
    ~SaveTarget();

    /** The name the user gave, for messages. */
    const std::string& path() const { return m_path; }
    /** The name of the file that holds the content (the end of any links). */
    const std::string& realPath() const { return m_realPath; }
    TargetFacts& facts() { return m_facts; }
    const struct stat& info() const { return m_info; }
    /** The existing file, open and locked (-1 when there is none). */
    int fd() const { return m_file.get(); }
    /** The save succeeded: a file made for it stays. */
    void keep() { m_created = false; }
    [[noreturn]] void fail(int errorNumber) const;

private:
    void resolve();
    void openExisting();
    void gatherFolderFacts();

    std::string m_path;
    std::string m_realPath;
    Descriptor m_handle; // O_PATH descriptor of the file, when it exists
    Descriptor m_file;
    struct stat m_info {};
    TargetFacts m_facts;
    bool m_created = false;
};

} // namespace tavlor
