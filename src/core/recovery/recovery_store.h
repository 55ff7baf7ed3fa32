#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tavlor {

/** A recovery file that no running instance owns, held by this one (its lock taken) while it is
 *  offered, so that no other instance offers it at the same time. Letting it go keeps the file. */
class OrphanedRecovery {
public:
    OrphanedRecovery(std::string path, std::string lockPath, int lockFd);
    OrphanedRecovery(OrphanedRecovery&& other) noexcept;
    OrphanedRecovery& operator=(OrphanedRecovery&&) = delete;
    OrphanedRecovery(const OrphanedRecovery&) = delete;
    OrphanedRecovery& operator=(const OrphanedRecovery&) = delete;
    ~OrphanedRecovery();

    const std::string& path() const { return m_path; }
    /** Its bytes. Throws FileError "Cannot open file ..." when it cannot be read. */
    std::string read() const;
    /** Deletes the recovery file and its lock file. */
    void discard();

private:
    std::string m_path;
    std::string m_lockPath;
    int m_lockFd = -1;
    std::thread m_writer; // a write in the background, joined before anything else
};

/** The folder of recovery files: one per running instance that has unsaved changes, each beside
 *  a lock file that the instance holds while it runs (where the file system keeps no locks, the
 *  lock file names the owner's process and it counts as long as that process runs). Folder 0700,
 *  files 0600: they hold the user's data. */
class RecoveryStore {
public:
    /** $XDG_STATE_HOME/tavlor/recovery, else ~/.local/state/tavlor/recovery; empty when neither
     *  variable gives an absolute path. */
    static std::string defaultFolder();

    explicit RecoveryStore(std::string folder);
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;
    /** Lets go of the lock; the recovery file, if any, stays for the next start. */
    ~RecoveryStore();

    const std::string& folder() const { return m_folder; }
    /** This instance's recovery file; empty before the first write. */
    const std::string& ownFile() const { return m_ownFile; }

    /** Replaces this instance's recovery file by text: a new file renamed over the old one, so a
     *  kill at any moment leaves the old or the new text whole. Throws FileError. */
    void write(std::string_view text);
    /** The same write on a thread of its own, so that the window goes on meanwhile; done gets the
     *  error's message ("" when written) on that thread. The folder and lock file are made
     *  before it starts (throws FileError). Every other call waits for it to end first. */
    void writeInBackground(std::string text, std::function<void(const std::string&)> done);
    /** Waits until a write in the background has ended. */
    void finishWriting();
    /** Removes this instance's recovery file (nothing unsaved is left to keep). */
    void discard();
    /** The recovery files of instances that no longer run, oldest name first, each claimed. */
    std::vector<OrphanedRecovery> claimOrphans();

private:
    /** Makes the folder and this instance's lock file on first use. Throws FileError. */
    void claimOwnName();
    /** Replaces the recovery file, once claimed, by text. Throws FileError. */
    void writeOwn(std::string_view text) const;

    std::string m_folder;
    std::string m_lockFile;
    std::string m_ownFile;
    int m_lockFd = -1;
    std::thread m_writer; // a write in the background, joined before anything else
};

} // namespace tavlor
