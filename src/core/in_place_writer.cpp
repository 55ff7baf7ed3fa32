#include "core/in_place_writer.h"

#include "core/descriptor.h"
#include "core/descriptor_io.h"
#include "core/file_error.h"
#include "core/path_parts.h"
#include "core/system_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavlor {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

bool isOwnFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

// A folder of ours, "tavlor" under $XDG_CACHE_HOME (else ~/.cache); where the home folder is not
// usable (system users), a private folder under the temporary folder. Empty when none can be made.
std::string backupFolder() {
    std::vector<std::string> candidates;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cache != nullptr && cache[0] == '/')
        candidates.push_back(std::string(cache) + "/tavlor");
    else if (home != nullptr && home[0] == '/')
        candidates.push_back(std::string(home) + "/.cache/tavlor");
    const char* temp = std::getenv("TMPDIR");
    candidates.push_back(std::string(temp != nullptr && temp[0] == '/' ? temp : "/tmp") +
                         "/tavlor-" + std::to_string(::geteuid()));
    for (const std::string& folder : candidates) {
        const std::string parent = splitPath(folder).folder;
        ::mkdir(parent.c_str(), 0700); // ~/.cache may not exist yet
        if (::mkdir(folder.c_str(), 0700) == 0 || isOwnFolder(folder))
            return folder;
    }
    return {};
}

// Copies [0, size) of from to to, at the same offsets.
bool copyBytes(int from, int to, off_t size) {
    std::vector<char> buffer(kChunk);
    for (off_t offset = 0; offset < size;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<off_t>(size - offset, static_cast<off_t>(kChunk)));
        const ssize_t n = ::pread(from, buffer.data(), want, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 ||
            !writeAllAt(to, std::string_view(buffer.data(), static_cast<std::size_t>(n)), offset))
            return false;
        offset += n;
    }
    return true;
}

/** The old bytes of the file, kept in a file of their own until the new bytes are safe. */
class Backup {
public:
    Backup(int fd, const std::string& path) {
        struct stat info {};
        if (::fstat(fd, &info) != 0)
            throw FileError(createErrorMessage(path, errno));
        m_size = info.st_size;
        m_modified = info.st_mtim;
        m_mode = info.st_mode;
        const std::string folder = backupFolder();
        if (folder.empty())
            throw FileError(createErrorMessage(path, EACCES));
        std::string name = splitPath(path).name;
        if (name.size() > 200)
            name.resize(200);
        m_fd.reset(makeTempFile(folder + "/" + name + ".old-XXXXXX", m_path));
        if (!m_fd.valid())
            throw FileError(createErrorMessage(path, errno));
        if (!copyBytes(fd, m_fd.get(), m_size) || ::fsync(m_fd.get()) != 0) {
            const int error = errno != 0 ? errno : EIO;
            discard();
            throw FileError(createErrorMessage(path, error));
        }
    }
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

    /** Puts the old bytes back into fd; true when they are there and synced. */
    bool restore(int fd) const {
        return copyBytes(m_fd.get(), fd, m_size) && ::ftruncate(fd, m_size) == 0 &&
               ::fsync(fd) == 0;
    }
    off_t size() const { return m_size; }
    mode_t mode() const { return m_mode; }
    const struct timespec& modified() const { return m_modified; }
    void discard() {
        ::unlink(m_path.c_str());
        m_fd.reset();
    }

private:
    Descriptor m_fd;
    off_t m_size = 0;
    mode_t m_mode = 0;
    struct timespec m_modified {};
    std::string m_path;
};

} // namespace

FileIdentity rewriteInPlace(int fd, const std::string& path, std::string_view text) {
    Backup backup(fd, path);
    // Reserve the blocks before the first byte changes, without changing the file's length: a full
    // disk shows here, with the file untouched. File systems that cannot reserve go on; a failed
    // write is still undone below.
    const off_t length = static_cast<off_t>(text.size());
    if (length > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS && errno != EINVAL) {
        // A reservation that ran out of space may have kept part of the blocks: give them back,
        // and the file its time, as not a byte of it changed.
        ::ftruncate(fd, backup.size());
        const struct timespec times[2] = {{0, UTIME_OMIT}, backup.modified()};
        ::futimens(fd, times);
        backup.discard();
        throw FileError(kStreamWriteError);
    }
    const bool wrote = writeAllAt(fd, text, 0) && ::ftruncate(fd, length) == 0;
    // Writing cleared the set-user-ID and set-group-ID bits: back where the kernel lets us.
    ::fchmod(fd, backup.mode() & 07777);
    if (!wrote || ::fsync(fd) != 0) {
        if (backup.restore(fd))
            backup.discard();
        throw FileError(kStreamWriteError);
    }
    backup.discard();
    struct stat written {};
    ::fstat(fd, &written);
    return FileIdentity::of(written);
}

} // namespace tavlor
