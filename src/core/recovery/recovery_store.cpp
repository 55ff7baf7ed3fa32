#include "core/recovery/recovery_store.h"

#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/save/safe_file_writer.h"
#include "core/text/system_text.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavlor {

namespace {

constexpr std::string_view kSuffix = ".recovery";

bool locksUnsupported(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Who owns a lock file where locks are not kept: the process id, the boot and the process's start
// time, so that a process id given again after a reboot or a restart never counts as the owner.
std::string ownerMark(pid_t pid) {
    const std::string stat = firstLine("/proc/" + std::to_string(pid) + "/stat");
    std::string start;
    if (const std::size_t close = stat.rfind(')'); close != std::string::npos) {
        std::istringstream fields(stat.substr(close + 2));
        std::string field;
        for (int i = 3; i <= 22 && fields >> field; ++i)
            start = field; // field 22: the start time
    }
    return std::to_string(pid) + " " + firstLine("/proc/sys/kernel/random/boot_id") + " " + start;
}

bool ownerRuns(const std::string& lockFile) {
    const std::string mark = firstLine(lockFile);
    const pid_t pid = static_cast<pid_t>(std::atol(mark.c_str()));
    if (pid <= 0 || (::kill(pid, 0) != 0 && errno != EPERM))
        return false;
    return ownerMark(pid) == mark;
}

bool isOwnFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

// Makes folder and its missing parents (0700) and checks that it is a folder of ours, not a link.
void makeOwnFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw FileError(createErrorMessage(folder, errno));
    if (!isOwnFolder(folder))
        throw FileError(createErrorMessage(folder, EACCES));
    ::chmod(folder.c_str(), 0700);
}

} // namespace

OrphanedRecovery::OrphanedRecovery(std::string path, std::string lockPath, int lockFd)
    : m_path(std::move(path)), m_lockPath(std::move(lockPath)), m_lockFd(lockFd) {}

OrphanedRecovery::OrphanedRecovery(OrphanedRecovery&& other) noexcept
    : m_path(std::move(other.m_path)), m_lockPath(std::move(other.m_lockPath)),
      m_lockFd(std::exchange(other.m_lockFd, -1)) {}

OrphanedRecovery::~OrphanedRecovery() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

std::string OrphanedRecovery::read() const {
    std::ifstream in(m_path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf()))
        throw FileError(openErrorMessage(m_path, errno != 0 ? errno : EIO));
    return std::move(bytes).str();
}

void OrphanedRecovery::discard() {
    ::unlink(m_path.c_str());
    ::unlink(m_lockPath.c_str());
}

std::string RecoveryStore::defaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/tavlor/recovery";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.local/state/tavlor/recovery";
    return {};
}

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
    finishWriting();
    if (m_lockFd < 0)
        return;
    ::unlink(m_lockFile.c_str());
    ::close(m_lockFd);
}

void RecoveryStore::claimOwnName() {
    if (m_lockFd >= 0)
        return;
    if (m_folder.empty())
        throw FileError(createErrorMessage(m_folder, ENOENT));
    makeOwnFolder(m_folder);
    std::string lockFile;
    const int fd = makeTempFile(m_folder + "/instance-XXXXXX", lockFile);
    if (fd < 0)
        throw FileError(createErrorMessage(m_folder + "/instance", errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && !locksUnsupported(errno)) {
        const int error = errno;
        ::close(fd);
        ::unlink(lockFile.c_str());
        throw FileError(createErrorMessage(lockFile, error));
    }
    writeAllAt(fd, ownerMark(::getpid()) + "\n", 0);
    m_lockFd = fd;
    m_lockFile = lockFile;
    m_ownFile = lockFile + std::string(kSuffix);
}

void RecoveryStore::write(std::string_view text) {
    finishWriting();
    claimOwnName();
    writeOwn(text);
}

void RecoveryStore::writeInBackground(std::string text,
                                      std::function<void(const std::string&)> done) {
    finishWriting();
    claimOwnName();
    m_writer = std::thread([this, text = std::move(text), done = std::move(done)] {
        std::string error;
        try {
            writeOwn(text);
        } catch (const std::exception& failure) { // nothing may leave the thread
            error = failure.what();
        }
        done(error);
    });
}

void RecoveryStore::finishWriting() {
    if (m_writer.joinable())
        m_writer.join();
}

void RecoveryStore::writeOwn(std::string_view text) const {
    // Made 0600 before its first content arrives; every replacement keeps that mode.
    const int fd =
        ::open(m_ownFile.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        throw FileError(createErrorMessage(m_ownFile, errno));
    ::close(fd);
    writeFileSafely(m_ownFile, text);
}

void RecoveryStore::discard() {
    finishWriting();
    if (!m_ownFile.empty())
        ::unlink(m_ownFile.c_str());
}

std::vector<OrphanedRecovery> RecoveryStore::claimOrphans() {
    std::vector<std::string> names;
    if (DIR* dir = m_folder.empty() ? nullptr : ::opendir(m_folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::vector<OrphanedRecovery> orphans;
    for (const std::string& name : names) {
        if (name.front() == '.')
            continue;
        const bool isRecovery = name.size() > kSuffix.size() && name.ends_with(kSuffix);
        const std::string lockFile =
            m_folder + "/" + (isRecovery ? name.substr(0, name.size() - kSuffix.size()) : name);
        if (lockFile == m_lockFile)
            continue;
        if (!isRecovery &&
            std::find(names.begin(), names.end(), name + std::string(kSuffix)) != names.end())
            continue; // taken with its recovery file
        const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            continue;
        const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ||
                          (locksUnsupported(errno) && !ownerRuns(lockFile));
        if (!free) {
            ::close(fd);
        } else if (isRecovery) {
            orphans.emplace_back(m_folder + "/" + name, lockFile, fd);
        } else {
            // The lock file of an instance that ended without a recovery file.
            ::unlink(lockFile.c_str());
            ::close(fd);
        }
    }
    return orphans;
}

} // namespace tavlor
