#include "core/safe_file_writer.h"

#include "core/file_error.h"
#include "core/system_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
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
        int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            failCreate(path, errno);
        existing.reset(fd);
        // Nobody else may have it open while we replace it (exclusive lock, do not wait).
        if (::flock(existing.get(), LOCK_EX | LOCK_NB) != 0)
            failCreate(path, errno);
    }

    const std::string folder = folderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string prefix =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string baseName = slash == std::string::npos ? target : target.substr(slash + 1);
    // The new file sits next to the target; a very long name is left out of its name so the
    // temporary name stays within the system's limit.
    const std::string tempName =
        prefix + "." + (baseName.size() > 200 ? std::string() : baseName) + ".tavlor-XXXXXX";
    std::vector<char> tempBuffer(tempName.begin(), tempName.end());
    tempBuffer.push_back('\0');
    Descriptor temp(::mkostemp(tempBuffer.data(), O_CLOEXEC));
    if (temp.get() < 0)
        failCreate(path, errno);
    const std::string tempPath(tempBuffer.data());
    auto discard = [&] {
        temp.reset();
        ::unlink(tempPath.c_str());
    };

    if (exists) {
        // Same owner and group where allowed (as root), then the same permission bits.
        if (::fchown(temp.get(), existingInfo.st_uid, existingInfo.st_gid) != 0) {
            // Not permitted for other users' files: the new file stays ours.
        }
        ::fchmod(temp.get(), existingInfo.st_mode & 07777);
        copyExtendedAttributes(existing.get(), temp.get());
    } else {
        ::fchmod(temp.get(), 0666 & ~currentUmask());
    }
    ::flock(temp.get(), LOCK_EX | LOCK_NB);

    if (!writeAll(temp.get(), text) || ::fsync(temp.get()) != 0 || !temp.close()) {
        discard();
        throw FileError(kStreamWriteError);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        discard();
        failCreate(path, error);
    }
    Descriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
}

} // namespace tavlor
