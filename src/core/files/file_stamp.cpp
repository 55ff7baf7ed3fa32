#include "core/files/file_stamp.h"

#include "core/files/descriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace tavlor {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x87C37B91114253D5ull;
constexpr std::uint64_t kMultiplier2 = 0x4CF5AD432745937Full;

std::uint64_t rotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

// Spreads every bit of a value over all 64 bits.
std::uint64_t finalMix(std::uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ull;
    return value ^ (value >> 33);
}

std::uint64_t word(const char* bytes) {
    std::uint64_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

void ContentHash::addBlock(const char* block) {
    for (int lane = 0; lane < 4; ++lane) {
        const std::uint64_t mixed = rotateLeft(word(block + 8 * lane) * kMultiplier1, 31);
        m_lanes[lane] = rotateLeft(m_lanes[lane] ^ (mixed * kMultiplier2), 27) * 5 + 0x52DCE729;
    }
}

void ContentHash::add(std::string_view bytes) {
    m_length += bytes.size();
    if (m_pendingSize > 0) {
        const std::size_t take = std::min(kBlock - m_pendingSize, bytes.size());
        std::memcpy(m_pending + m_pendingSize, bytes.data(), take);
        m_pendingSize += take;
        bytes.remove_prefix(take);
        if (m_pendingSize < kBlock)
            return;
        addBlock(m_pending);
        m_pendingSize = 0;
    }
    for (; bytes.size() >= kBlock; bytes.remove_prefix(kBlock))
        addBlock(bytes.data());
    if (!bytes.empty())
        std::memcpy(m_pending, bytes.data(), bytes.size());
    m_pendingSize = bytes.size();
}

std::uint64_t ContentHash::value() const {
    // The last, short block is padded with zeros; the length tells it from one that held zeros.
    ContentHash last = *this;
    if (last.m_pendingSize > 0) {
        std::memset(last.m_pending + last.m_pendingSize, 0, kBlock - last.m_pendingSize);
        last.addBlock(last.m_pending);
    }
    std::uint64_t value = finalMix(last.m_length);
    for (const std::uint64_t lane : last.m_lanes)
        value = finalMix(value ^ lane) * kMultiplier1;
    return finalMix(value);
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
