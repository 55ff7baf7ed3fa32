#include "core/safe_file_writer.h"

#include "core/descriptor_io.h"
#include "core/file_error.h"
#include "core/in_place_writer.h"
#include "core/system_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace tavlor {

namespace {

/** Closes a descriptor when it goes out of scope. */
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    /** Closes now and reports whether the close succeeded. */
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd = -1;
};

// Gives the new file the extended attributes of the old one: access control lists, a desktop's
// tags and comments. Attributes the system does not let us set are left out; the save goes on.
void copyExtendedAttributes(int from, int to) {
    ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = ::flistxattr(from, names.data(), names.size());
    if (size <= 0)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size;
         name += std::char_traits<char>::length(name) + 1) {
        const ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<std::size_t>(length));
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0);
    }
}

[[noreturn]] void failCreate(const std::string& path, int errorNumber) {
    throw FileError(createErrorMessage(path, errorNumber));
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Follows symbolic links to the file that holds the content; a missing file ends the chain (it
// will be created there). Returns 0 or an errno value.
int resolveLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) +
                                 1);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return errno;
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        if (link.empty())
            return ENOENT;
        target = link.front() == '/' ? link : folderOf(target) + "/" + link;
    }
    return ELOOP;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The name of the new file beside the target: ".<name>.tavlor-" and six characters; a very long
// name is left out so the temporary name stays within the system's limit.
std::string tempPrefix(const std::string& baseName) {
    return "." + (baseName.size() > 200 ? std::string() : baseName) + ".tavlor-";
}

// Removes new files that a save killed before its rename left beside the target. A save that is
// still running holds a lock on its new file, so only files nobody holds are taken.
void removeStaleTemps(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        Descriptor fd(
            ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat info {};
        if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, name.c_str(), 0);
    }
    ::closedir(dir);
}

/** The new file of a save by rename: written and synced before it takes the target's name. */
struct NewFile {
    Descriptor fd;
    std::string path;     // its name once it has one
    bool unnamed = false; // made without a name (O_TMPFILE): a killed save leaves nothing behind
};

// Opens the new file in folder, unnamed where the file system allows. Returns 0 or an errno value.
int openNewFile(const std::string& folder, const std::string& namePattern, NewFile& file) {
    // An unnamed file gets its name through /proc; without /proc it takes a name from the start.
    int fd = -1;
    if (::access("/proc/self/fd", X_OK) == 0)
        fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    else
        errno = EOPNOTSUPP;
    if (fd >= 0) {
        file.fd.reset(fd);
        file.unnamed = true;
        return 0;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
    file.fd.reset(makeTempFile(namePattern, file.path));
    return file.fd.get() < 0 ? errno : 0;
}

// Gives an unnamed new file a free name that starts with prefix. Returns 0 or an errno value.
int nameNewFile(NewFile& file, const std::string& prefix) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 6; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            file.path = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

enum class RenameResult { Done, NeedsInPlace };

// Writes text to a new file beside target and renames it over. NeedsInPlace (nothing changed) when
// the new file could not stand for the old one: the folder refuses new files or the rename, or the
// new file cannot get the old one's owner and group.
RenameResult replaceByRename(const std::string& path, const std::string& target,
                             const Descriptor& existing, const struct stat* existingInfo,
                             std::string_view text) {
    const std::string folder = folderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string namePrefix =
        tempPrefix(slash == std::string::npos ? target : target.substr(slash + 1));
    const std::string prefix =
        (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + namePrefix;
    const bool exists = existingInfo != nullptr;
    removeStaleTemps(folder, namePrefix);

    NewFile temp;
    if (const int error = openNewFile(folder, prefix + "XXXXXX", temp)) {
        if (exists && (error == EACCES || error == EPERM))
            return RenameResult::NeedsInPlace;
        failCreate(path, error);
    }
    // Nobody may take it for a stale file while it is written.
    ::flock(temp.fd.get(), LOCK_EX | LOCK_NB);
    auto discard = [&] {
        temp.fd.reset();
        if (!temp.path.empty())
            ::unlink(temp.path.c_str());
    };

    if (exists) {
        // The old file's owner and group where we may give them (root: both; a user: a group of
        // theirs); otherwise the old file is written in place, which keeps them.
        if (::fchown(temp.fd.get(), existingInfo->st_uid, existingInfo->st_gid) != 0)
            ::fchown(temp.fd.get(), static_cast<uid_t>(-1), existingInfo->st_gid);
        struct stat tempInfo {};
        if (::fstat(temp.fd.get(), &tempInfo) != 0 || tempInfo.st_uid != existingInfo->st_uid ||
            tempInfo.st_gid != existingInfo->st_gid) {
            discard();
            return RenameResult::NeedsInPlace;
        }
        ::fchmod(temp.fd.get(), existingInfo->st_mode & 07777);
        copyExtendedAttributes(existing.get(), temp.fd.get());
    } else {
        ::fchmod(temp.fd.get(), 0666 & ~currentUmask());
    }

    if (!writeAllAt(temp.fd.get(), text, 0) || ::fsync(temp.fd.get()) != 0) {
        discard();
        throw FileError(kStreamWriteError);
    }
    if (temp.unnamed) {
        if (const int error = nameNewFile(temp, prefix)) {
            discard();
            failCreate(path, error);
        }
    }
    if (::rename(temp.path.c_str(), target.c_str()) != 0) {
        const int error = errno;
        discard();
        // A sticky folder lets only the owner of a file replace it.
        if (exists && (error == EPERM || error == EACCES))
            return RenameResult::NeedsInPlace;
        failCreate(path, error);
    }
    if (!temp.fd.close())
        throw FileError(kStreamWriteError);
    Descriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return RenameResult::Done;
}

} // namespace

void writeFileSafely(const std::string& path, std::string_view text) {
    if (path.empty())
        failCreate(path, ENOENT);
    if (path.back() == '/')
        failCreate(path, EISDIR);

    std::string target;
    if (const int error = resolveLinks(path, target))
        failCreate(path, error);

    // The file being replaced: it must be a writable regular file that nobody holds.
    Descriptor existing;
    struct stat existingInfo {};
    const bool exists = ::stat(target.c_str(), &existingInfo) == 0;
    if (!exists && errno != ENOENT)
        failCreate(path, errno);
    bool readWrite = false;
    if (exists) {
        if (S_ISDIR(existingInfo.st_mode))
            failCreate(path, EISDIR);
        if (!S_ISREG(existingInfo.st_mode))
            failCreate(path, ENXIO);
        // A mode without any write bit means read-only, also for root, who passes every access
        // check.
        if ((existingInfo.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            failCreate(path, EACCES);
        if (::access(target.c_str(), W_OK) != 0)
            failCreate(path, errno);
        constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
        int fd = ::open(target.c_str(), O_RDWR | kFlags);
        readWrite = fd >= 0;
        if (fd < 0)
            fd = ::open(target.c_str(), O_RDONLY | kFlags);
        if (fd < 0)
            fd = ::open(target.c_str(), O_WRONLY | kFlags);
        if (fd < 0)
            failCreate(path, errno);
        existing.reset(fd);
        // Nobody else may have it open while we replace it (exclusive lock, do not wait).
        if (const int error = lockDescriptor(existing.get(), LOCK_EX))
            failCreate(path, error);
    }

    // Another name of the same file would keep the old text after a rename.
    if (!exists || existingInfo.st_nlink <= 1) {
        if (replaceByRename(path, target, existing, exists ? &existingInfo : nullptr, text) ==
            RenameResult::Done)
            return;
    }
    // In place needs the old bytes readable, to keep them until the new ones are safe.
    if (!readWrite)
        failCreate(path, EACCES);
    rewriteInPlace(existing.get(), path, text);
}

} // namespace tavlor
