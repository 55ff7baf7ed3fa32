#include "core/save/save_plan.h"

#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/files/path_parts.h"
#include "core/text/system_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

namespace tavlor {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

bool isLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// The text of a link ("" when it cannot be read).
std::string linkText(const std::string& path) {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

// Without /proc the kernel cannot tell us where it went: follow the links here, refusing a link
// the kernel's protected_symlinks rule would refuse (a link in a sticky, world-writable folder
// that belongs neither to us nor to the folder's owner). A missing file ends the chain.
int resolveByHand(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        const PathParts parts = splitPath(target);
        struct stat folder {};
        if (::stat(parts.folder.c_str(), &folder) == 0 &&
            (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH) &&
            info.st_uid != ::geteuid() && info.st_uid != folder.st_uid)
            return EACCES;
        const std::string link = linkText(target);
        if (link.empty())
            return ENOENT;
        target = link.front() == '/' ? link : parts.sibling(link);
    }
    return ELOOP;
}

bool isOurGroup(gid_t group) {
    if (group == ::getegid())
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < count; ++i)
        if (groups[static_cast<std::size_t>(i)] == group)
            return true;
    return false;
}

bool isMountRoot(int fd) {
    struct statx info {};
    return ::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &info) == 0 &&
           (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

} // namespace

SavePlan decideSave(const TargetFacts& facts) {
    if (!facts.exists)
        return {SaveRoute::Rename, 0, "a new file"};
    if (S_ISDIR(facts.mode))
        return {SaveRoute::Refuse, EISDIR, "a folder"};
    if (!S_ISREG(facts.mode))
        return {SaveRoute::Refuse, ENXIO, "not a file of text"};
    // A mode without any write bit means read-only, also for root, who passes every access check.
    if ((facts.mode & kAnyWriteBit) == 0)
        return {SaveRoute::Refuse, EACCES, "read-only"};
    if (facts.openError != 0)
        return {SaveRoute::Refuse, facts.openError, "not writable"};

    const char* inPlace = facts.links > 1              ? "another name would keep the old text"
                          : facts.mountRoot            ? "mounted on its name"
                          : !facts.folderTakesNewFiles ? "the folder takes no new files"
                          : !facts.newFileGetsOwner    ? "a new file cannot get its owner and group"
                          : facts.stickyFolderOfOthers ? "a sticky folder of others"
                          : facts.renameRefused        ? "the file system refused the rename"
                                                       : nullptr;
    if (inPlace == nullptr)
        return {SaveRoute::Rename, 0, "replaced by a new file"};
    // In place keeps the old bytes until the new ones are safe: they must be readable.
    if (!facts.readable)
        return {SaveRoute::Refuse, EACCES, "in place needs the old bytes"};
    return {SaveRoute::InPlace, 0, inPlace};
}

SaveTarget::SaveTarget(const std::string& path) : m_path(path) {
    if (path.empty())
        fail(ENOENT);
    if (path.back() == '/')
        fail(EISDIR);
    resolve();
    if (!m_facts.exists)
        return;
    if (S_ISREG(m_info.st_mode))
        openExisting();
    gatherFolderFacts();
}

SaveTarget::~SaveTarget() {
    if (m_created)
        ::unlink(m_realPath.c_str());
}

void SaveTarget::fail(int errorNumber) const {
    throw FileError(createErrorMessage(m_path, errorNumber));
}

void SaveTarget::resolve() {
    if (::access("/proc/self/fd", X_OK) != 0) {
        if (const int error = resolveByHand(m_path, m_realPath))
            fail(error);
        m_facts.exists = ::stat(m_realPath.c_str(), &m_info) == 0;
        if (!m_facts.exists && errno != ENOENT)
            fail(errno);
        m_facts.mode = m_info.st_mode;
        m_facts.links = m_info.st_nlink;
        return;
    }
    // The kernel follows the links, with its own rules for which it may follow.
    int fd = ::open(m_path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && isLink(m_path)) {
        // A link to a missing file: the file it names is made as a shell redirect would make it.
        fd = ::open(m_path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
        m_created = fd >= 0;
    }
    if (fd < 0) {
        if (errno != ENOENT)
            fail(errno);
        m_realPath = m_path; // a new file
        return;
    }
    m_handle.reset(fd);
    m_realPath = linkText("/proc/self/fd/" + std::to_string(fd));
    if (m_realPath.empty() || m_realPath.front() != '/' || ::fstat(fd, &m_info) != 0)
        fail(errno != 0 ? errno : ENOENT);
    m_facts.exists = true;
    m_facts.mode = m_info.st_mode;
    m_facts.links = m_info.st_nlink;
}

void SaveTarget::openExisting() {
    // Reopened through the kernel's handle, so it is the very file the name led to.
    const std::string name =
        m_handle.valid() ? "/proc/self/fd/" + std::to_string(m_handle.get()) : m_realPath;
    constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(name.c_str(), O_RDWR | kFlags);
    m_facts.readable = fd >= 0;
    if (fd < 0) {
        m_facts.openError = errno;
        fd = ::open(name.c_str(), O_RDONLY | kFlags);
        m_facts.readable = fd >= 0;
    }
    if (fd < 0) {
        fd = ::open(name.c_str(), O_WRONLY | kFlags);
        if (fd >= 0)
            m_facts.openError = 0;
    }
    if (fd < 0)
        fail(errno);
    m_file.reset(fd);
    // Nobody else may have it open while we replace it (exclusive lock, do not wait).
    if ((m_info.st_mode & kAnyWriteBit) != 0 && m_facts.openError == 0)
        if (const int error = lockDescriptor(m_file.get(), LOCK_EX))
            fail(error);
    m_facts.mountRoot = isMountRoot(m_file.get());
}

void SaveTarget::gatherFolderFacts() {
    const PathParts parts = splitPath(m_realPath);
    const uid_t self = ::geteuid();
    m_facts.folderTakesNewFiles =
        ::faccessat(AT_FDCWD, parts.folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    m_facts.newFileGetsOwner = self == 0 || (m_info.st_uid == self && isOurGroup(m_info.st_gid));
    struct stat folder {};
    m_facts.stickyFolderOfOthers = ::stat(parts.folder.c_str(), &folder) == 0 &&
                                   (folder.st_mode & S_ISVTX) != 0 && self != 0 &&
                                   self != m_info.st_uid && self != folder.st_uid;
}

} // namespace tavlor
