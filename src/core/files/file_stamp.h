#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

struct stat;

namespace tavlor {

/** A running 64-bit checksum of bytes: the same bytes give the same value in every run, however
 *  they are cut into pieces. It mixes 32 bytes at a time in four lanes, so a full sheet costs a
 *  fraction of a millisecond on load and save. */
class ContentHash {
public:
    void add(std::string_view bytes);
    std::uint64_t value() const;
    static std::uint64_t of(std::string_view bytes);

private:
    static constexpr std::size_t kBlock = 32;
    void addBlock(const char* block);

    std::uint64_t m_lanes[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                                0x27D4EB2F165667C5ull};
    char m_pending[kBlock] = {};
    std::size_t m_pendingSize = 0;
    std::uint64_t m_length = 0;
};

/** Which file a path named and how it stood: device, inode, size and modification time (ns). */
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    std::int64_t modifiedNs = 0;

    static FileIdentity of(const struct stat& info);
    /** The identity of the file path names now (links followed); none (size -1) when it is
     *  missing or cannot be looked at. */
    static FileIdentity ofPath(const std::string& path);
    bool exists() const { return size >= 0; }
    bool operator==(const FileIdentity&) const = default;
};

/** A file as the document last read or wrote it: its identity and a checksum of its bytes. */
struct FileStamp {
    FileIdentity identity;
    std::uint64_t hash = 0;
    bool hashKnown = false; // false when only part of the file was read

    bool known() const { return identity.exists(); }
    /** True when the file at path is no longer what the stamp says: it stands on another inode or
     *  its size or time changed, and its bytes differ (a touch, or the same content written again,
     *  counts as unchanged). A missing file counts as unchanged: nothing of it can be lost. */
    bool changedOnDisk(const std::string& path) const;
};

} // namespace tavlor
