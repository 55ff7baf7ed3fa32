#include "core/file_stamp.h"

#include "core/descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace tavlor {

void ContentHash::add(std::string_view bytes) {
    for (const char byte : bytes) {
        m_value ^= static_cast<unsigned char>(byte);
        m_value *= 1099511628211ull;
    }
}

std::uint64_t ContentHash::of(std::string_view bytes) {
    ContentHash hash;
    hash.add(bytes);
    return hash.value();
}

FileIdentity FileIdentity::of(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size,
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

FileIdentity FileIdentity::ofPath(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return of(info);
}

bool FileStamp::changedOnDisk(const std::string& path) const {
    const FileIdentity now = FileIdentity::ofPath(path);
    if (!known() || !now.exists() || now == identity)
        return false;
    if (!hashKnown || now.size != identity.size)
        return true;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid())
        return true;
    ContentHash hash;
    std::vector<char> buffer(std::size_t{1} << 20);
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return true;
        if (n == 0)
            break;
        hash.add(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
    return hash.value() != this->hash;
}

} // namespace tavlor
