#include "core/file_lock.h"

#include <cerrno>
#include <sys/file.h>

namespace tavlor {

int lockDescriptor(int fd, int kind) {
    if (::flock(fd, kind | LOCK_NB) == 0)
        return 0;
    const int error = errno;
    if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS)
        return 0;
    return error;
}

} // namespace tavlor
