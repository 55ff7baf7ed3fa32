#include "core/save/in_place_writer.h"

#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/save/old_bytes_copy.h"
#include "core/text/system_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlor {

FileIdentity rewriteInPlace(int fd, const std::string& path, const std::string& realPath,
                            std::string_view text) {
    OldBytesCopy backup(fd, path, realPath, text);
    const struct stat& old = backup.old();
    // Reserve the blocks before the first byte changes, without changing the file's length: a full
    // disk shows here, with the file untouched. File systems that cannot reserve go on; a failed
    // write is still undone below.
    const off_t length = static_cast<off_t>(text.size());
    if (length > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP &&
        errno != ENOSYS && errno != EINVAL) {
        // A reservation that ran out of space may have kept part of the blocks: give them back,
        // and the file its time, as not a byte of it changed.
        ::ftruncate(fd, old.st_size);
        const struct timespec times[2] = {{0, UTIME_OMIT}, old.st_mtim};
        ::futimens(fd, times);
        backup.discard();
        throw FileError(kStreamWriteError);
    }
    const bool wrote = writeAllAt(fd, text, 0) && ::ftruncate(fd, length) == 0;
    // Writing cleared the set-user-ID and set-group-ID bits: back where the kernel lets us.
    ::fchmod(fd, old.st_mode & 07777);
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
