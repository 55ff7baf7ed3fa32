#include "core/save/safe_file_writer.h"

#include "core/files/descriptor.h"
#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/files/path_parts.h"
#include "core/save/in_place_writer.h"
#include "core/save/save_plan.h"
#include "core/text/system_text.h"

#include <algorithm>
#include <cerrno>
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

// The names of the extended attributes of fd.
std::vector<std::string> attributeNames(int fd) {
    std::vector<std::string> names;
    ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size <= 0)
        return names;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    size = ::flistxattr(fd, buffer.data(), buffer.size());
    for (const char* name = buffer.data(); size > 0 && name < buffer.data() + size;
         name += std::char_traits<char>::length(name) + 1)
        names.emplace_back(name);
    return names;
}

// Gives the new file exactly the extended attributes of the old one: its access control list, a
// desktop's tags and comments; what the new file inherited from the folder (a default access
// control list) goes. Attributes the system does not let us set are left out; the save goes on.
void matchExtendedAttributes(int from, int to) {
    const std::vector<std::string> wanted = attributeNames(from);
    for (const std::string& name : attributeNames(to))
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end())
            ::fremovexattr(to, name.c_str());
    std::vector<char> value;
    for (const std::string& name : wanted) {
        const ssize_t length = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<std::size_t>(length));
        const ssize_t got = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (got >= 0)
            ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(got), 0);
    }
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
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
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

// Opens the new file in folder, unnamed where the file system allows. A file that replaces no
// other is made with the mode a shell redirect gives (the umask, or the folder's default access
// control list). Returns 0 or an errno value.
int openNewFile(const std::string& folder, const std::string& namePattern, bool replaces,
                NewFile& file) {
    // An unnamed file gets its name through /proc; without /proc it takes a name from the start.
    int fd = -1;
    if (::access("/proc/self/fd", X_OK) == 0)
        fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, replaces ? 0600 : 0666);
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
    if (!file.fd.valid())
        return errno;
    if (!replaces)
        ::fchmod(file.fd.get(), 0666 & ~currentUmask());
    return 0;
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

// Errors of a rename that say the name cannot be replaced this way, though the file can be
// written: a sticky folder of others, something mounted on the name, another file system, a file
// system that cannot rename over a file.
bool renameCannotReplace(int error) {
    return error == EPERM || error == EACCES || error == EBUSY || error == EXDEV ||
           error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

enum class RenameResult { Done, NeedsInPlace };

// Writes text to a new file beside the target and renames it over. NeedsInPlace (nothing changed)
// when the new file could not stand for the old one after all: the folder refuses the new file or
// the rename, or the new file cannot get the old one's owner and group.
RenameResult replaceByRename(SaveTarget& target, std::string_view text, FileStamp& stamp) {
    const PathParts parts = splitPath(target.realPath());
    const std::string namePrefix = tempPrefix(parts.name);
    const std::string prefix = parts.sibling(namePrefix);
    const bool exists = target.facts().exists;
    const struct stat& old = target.info();
    removeStaleTemps(parts.folder, namePrefix);

    NewFile temp;
    if (const int error = openNewFile(parts.folder, prefix + "XXXXXX", exists, temp)) {
        if (exists && (error == EACCES || error == EPERM || error == EROFS))
            return RenameResult::NeedsInPlace;
        target.fail(error);
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
        if (::fchown(temp.fd.get(), old.st_uid, old.st_gid) != 0)
            ::fchown(temp.fd.get(), static_cast<uid_t>(-1), old.st_gid);
        struct stat tempInfo {};
        if (::fstat(temp.fd.get(), &tempInfo) != 0 || tempInfo.st_uid != old.st_uid ||
            tempInfo.st_gid != old.st_gid) {
            discard();
            return RenameResult::NeedsInPlace;
        }
        matchExtendedAttributes(target.fd(), temp.fd.get());
    }

    if (!writeAllAt(temp.fd.get(), text, 0)) {
        discard();
        throw FileError(kStreamWriteError);
    }
    // After the writing, which clears the set-user-ID and set-group-ID bits.
    if (exists)
        ::fchmod(temp.fd.get(), old.st_mode & 07777);
    struct stat written {};
    if (::fsync(temp.fd.get()) != 0 || ::fstat(temp.fd.get(), &written) != 0) {
        discard();
        throw FileError(kStreamWriteError);
    }
    if (temp.unnamed) {
        if (const int error = nameNewFile(temp, prefix)) {
            discard();
            target.fail(error);
        }
    }
    if (::rename(temp.path.c_str(), target.realPath().c_str()) != 0) {
        const int error = errno;
        discard();
        if (exists && renameCannotReplace(error))
            return RenameResult::NeedsInPlace;
        target.fail(error);
    }
    target.keep();
    if (!temp.fd.close())
        throw FileError(kStreamWriteError);
    Descriptor folderFd(::open(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.valid())
        ::fsync(folderFd.get());
    stamp.identity = FileIdentity::of(written);
    return RenameResult::Done;
}

} // namespace

FileStamp writeFileSafely(const std::string& path, std::string_view text) {
    SaveTarget target(path);
    FileStamp stamp;
    stamp.hash = ContentHash::of(text);
    stamp.hashKnown = true;
    SavePlan plan = decideSave(target.facts());
    if (plan.route == SaveRoute::Rename) {
        if (replaceByRename(target, text, stamp) == RenameResult::Done)
            return stamp;
        target.facts().renameRefused = true;
        plan = decideSave(target.facts());
    }
    if (plan.route == SaveRoute::Refuse)
        target.fail(plan.error);
    stamp.identity = rewriteInPlace(target.fd(), path, target.realPath(), text);
    target.keep();
    return stamp;
}

} // namespace tavlor
