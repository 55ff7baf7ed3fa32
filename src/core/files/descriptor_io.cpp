#include "core/files/descriptor_io.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace tavlor {

int lockDescriptor(int fd, int kind) {
    if (::flock(fd, kind | LOCK_NB) == 0)
        return 0;
    const int error = errno;
    if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS)
        return 0;
    return error;
}

bool writeAllAt(int fd, std::string_view text, off_t offset) {
    while (!text.empty()) {
        const ssize_t n = ::pwrite(fd, text.data(), text.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

int makeTempFile(const std::string& pattern, std::string& path) {
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd >= 0)
        path = buffer.data();
    return fd;
}

} // namespace tavlor
