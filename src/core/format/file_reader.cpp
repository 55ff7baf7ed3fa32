#include "core/format/file_reader.h"

#include "core/files/descriptor.h"
#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/format/semicolon_reader.h"
#include "core/text/system_text.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavlor {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

// One read() that retries on EINTR; -1 with errno set on failure.
ssize_t readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

FileStamp readFileInto(const std::string& path, SemicolonReader& reader) {
    auto fail = [&path](int errorNumber) { throw FileError(openErrorMessage(path, errorNumber)); };

    // O_NONBLOCK keeps a FIFO without a writer from blocking the open; the file type is checked
    // right after, before any read.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        fail(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        fail(errno);
    if (S_ISDIR(info.st_mode))
        fail(EISDIR);
    if (!S_ISREG(info.st_mode))
        fail(ENXIO); // FIFOs, sockets and devices are not files of text
    // Others may read along, but not hold the file for writing (shared lock, do not wait).
    if (const int error = lockDescriptor(fd.get(), LOCK_SH))
        fail(error);

    FileStamp stamp;
    stamp.identity = FileIdentity::of(info);
    ContentHash hash;
    std::vector<char> buffer(kChunk);
    bool extraChunkRead = false;
    for (;;) {
        const ssize_t n = readSome(fd.get(), buffer.data(), buffer.size());
        if (n < 0)
            fail(errno);
        if (n == 0)
            break;
        const std::string_view chunk(buffer.data(), static_cast<std::size_t>(n));
        hash.add(chunk);
        reader.feed(chunk);
        if (reader.ended())
            return stamp; // the rest is not read: its bytes are not known
        if (reader.rowsComplete()) {
            // The sheet is full. One more chunk lets the report count a few of the lines beyond;
            // then stop reading, saying whether anything was left unread.
            if (extraChunkRead) {
                char probe = 0;
                const ssize_t more = readSome(fd.get(), &probe, 1);
                if (more < 0)
                    fail(errno);
                if (more > 0 && probe != '\0')
                    reader.noteUnreadText();
                else if (more > 0)
                    reader.feed(std::string_view(&probe, 1)); // a NUL: counts as ignored text
                reader.finish();
                return stamp;
            }
            extraChunkRead = true;
        }
    }
    reader.finish();
    stamp.hash = hash.value();
    stamp.hashKnown = true;
    return stamp;
}

} // namespace tavlor
