#include "core/save/old_bytes_copy.h"

#include "core/files/descriptor_io.h"
#include "core/files/file_error.h"
#include "core/files/file_stamp.h"
#include "core/files/path_parts.h"
#include "core/text/system_text.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace tavlor {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr std::string_view kRecord = ".record";

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

// The checksum of [0, size) of fd; 0 when it cannot be read whole.
std::uint64_t hashOf(int fd, off_t size) {
    std::vector<char> buffer(kChunk);
    ContentHash hash;
    for (off_t offset = 0; offset < size;) {
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        hash.add(std::string_view(buffer.data(),
                                  static_cast<std::size_t>(std::min<off_t>(n, size - offset))));
        offset += n;
    }
    return hash.value();
}

bool isOurFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

// A folder of ours, no link, that nobody else may look into.
bool isPrivateFolder(const std::string& path) {
    struct stat info {};
    return isOurFolder(path) && ::lstat(path.c_str(), &info) == 0 &&
           ((info.st_mode & 0777) == 0700 || ::chmod(path.c_str(), 0700) == 0);
}

// Makes folder (and a missing parent, as ~/.cache) only inside folders of ours.
bool ensurePrivateFolder(const std::string& folder) {
    if (isPrivateFolder(folder))
        return true;
    const std::string parent = splitPath(folder).folder;
    if (::access(parent.c_str(), F_OK) != 0 && isOurFolder(splitPath(parent).folder))
        ::mkdir(parent.c_str(), 0700);
    return isOurFolder(parent) && ::mkdir(folder.c_str(), 0700) == 0 && isPrivateFolder(folder);
}

std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

// "tavlor" under the cache folder and under the runtime folder, where they are set.
std::vector<std::string> fixedPlaces() {
    std::vector<std::string> places;
    std::string cache = absoluteVariable("XDG_CACHE_HOME");
    if (cache.empty() && !absoluteVariable("HOME").empty())
        cache = absoluteVariable("HOME") + "/.cache";
    if (!cache.empty())
        places.push_back(cache + "/tavlor");
    if (const std::string runtime = absoluteVariable("XDG_RUNTIME_DIR"); !runtime.empty())
        places.push_back(runtime + "/tavlor");
    return places;
}

std::string temporaryFolder() {
    const std::string temp = absoluteVariable("TMPDIR");
    return temp.empty() ? "/tmp" : temp;
}

// The start of the names of the private folders made under the temporary folder.
std::string privatePrefix() {
    return "tavlor-" + std::to_string(::geteuid()) + "-";
}

// Written whole under another name and then renamed: a record is never found half written.
bool writeRecord(const std::string& path, const std::string& text) {
    const std::string part = path + ".part";
    Descriptor fd(::open(part.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0600));
    if (fd.valid() && writeAllAt(fd.get(), text, 0) && ::fsync(fd.get()) == 0 && fd.close() &&
        ::rename(part.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(part.c_str());
    return false;
}

void syncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

OldBytesCopy::OldBytesCopy(int fd, const std::string& path, const std::string& realPath,
                           std::string_view newText) {
    if (::fstat(fd, &m_old) != 0)
        throw FileError(createErrorMessage(path, errno));
    m_name = splitPath(realPath).name.substr(0, 200);
    std::ostringstream record;
    record << m_old.st_dev << ' ' << m_old.st_ino << ' ' << m_old.st_size << ' ' << newText.size()
           << ' ' << ContentHash::of(newText) << '\n'
           << fullPath(realPath);
    for (const std::string& folder : fixedPlaces())
        if (ensurePrivateFolder(folder) && tryFolder(folder, fd, record.str()))
            return;
    std::string made = temporaryFolder() + "/" + privatePrefix() + "XXXXXX";
    if (::mkdtemp(made.data()) != nullptr) {
        if (tryFolder(made, fd, record.str())) {
            m_madeFolder = made;
            return;
        }
        ::rmdir(made.c_str());
    } else {
        m_error = errno;
    }
    throw FileError(createErrorMessage(path, m_error));
}

bool OldBytesCopy::tryFolder(const std::string& folder, int fd, const std::string& record) {
    m_copy.reset(makeTempFile(folder + "/" + m_name + ".old-XXXXXX", m_copyPath));
    if (!m_copy.valid()) {
        m_error = errno;
        return false;
    }
    // Held while the save runs: a start meanwhile leaves it alone.
    ::flock(m_copy.get(), LOCK_EX | LOCK_NB);
    if (copyBytes(fd, m_copy.get(), m_old.st_size) && ::fsync(m_copy.get()) == 0 &&
        writeRecord(m_copyPath + std::string(kRecord), record)) {
        syncFolder(folder);
        return true;
    }
    m_error = errno != 0 ? errno : EIO;
    ::unlink((m_copyPath + std::string(kRecord)).c_str());
    ::unlink(m_copyPath.c_str());
    m_copy.reset();
    return false;
}

bool OldBytesCopy::restore(int fd) const {
    return copyBytes(m_copy.get(), fd, m_old.st_size) && ::ftruncate(fd, m_old.st_size) == 0 &&
           ::fsync(fd) == 0;
}

void OldBytesCopy::discard() {
    // The record first: a copy without one is never put back.
    ::unlink((m_copyPath + std::string(kRecord)).c_str());
    ::unlink(m_copyPath.c_str());
    m_copy.reset();
    if (!m_madeFolder.empty())
        ::rmdir(m_madeFolder.c_str());
}

namespace {

// Looks at one record in folder; adds the file to restored when its old bytes were put back.
void recoverOne(const std::string& folder, const std::string& recordName,
                std::vector<std::string>& restored) {
    const std::string recordPath = folder + "/" + recordName;
    const std::string copyPath = recordPath.substr(0, recordPath.size() - kRecord.size());
    Descriptor copy(::open(copyPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!copy.valid() || ::flock(copy.get(), LOCK_EX | LOCK_NB) != 0)
        return; // a save that is still running
    std::ifstream in(recordPath, std::ios::binary);
    unsigned long long device = 0, inode = 0, newHash = 0;
    long long oldLength = -1, newLength = -1;
    in >> device >> inode >> oldLength >> newLength >> newHash;
    in.get();
    const bool parsed = in && oldLength >= 0 && newLength >= 0;
    const std::string path{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Descriptor file(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (!parsed || !file.valid() || ::fstat(file.get(), &info) != 0 || info.st_dev != device ||
        info.st_ino != inode)
        return; // not the file the save was writing: the copy stays
    const bool holdsNew = info.st_size == newLength && hashOf(file.get(), newLength) == newHash;
    const bool holdsOld =
        info.st_size == oldLength && hashOf(file.get(), oldLength) == hashOf(copy.get(), oldLength);
    if (!holdsNew && !holdsOld) {
        if (!copyBytes(copy.get(), file.get(), oldLength) ||
            ::ftruncate(file.get(), oldLength) != 0 || ::fsync(file.get()) != 0)
            return;
        restored.push_back(path);
    }
    ::unlink(recordPath.c_str());
    ::unlink(copyPath.c_str());
}

// The names in folder that end with ending.
std::vector<std::string> namesEndingWith(const std::string& folder, std::string_view ending) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != ".." && name.size() >= ending.size() &&
                name.substr(name.size() - ending.size()) == ending)
                names.emplace_back(name);
        }
        ::closedir(dir);
    }
    return names;
}

} // namespace

std::vector<std::string> recoverInterruptedSaves() {
    std::vector<std::string> folders;
    for (const std::string& place : fixedPlaces())
        if (isPrivateFolder(place))
            folders.push_back(place);
    const std::string temp = temporaryFolder();
    std::vector<std::string> made;
    if (DIR* dir = ::opendir(temp.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string_view(entry->d_name).starts_with(privatePrefix()) &&
                isPrivateFolder(temp + "/" + entry->d_name))
                made.push_back(temp + "/" + entry->d_name);
        ::closedir(dir);
    }
    folders.insert(folders.end(), made.begin(), made.end());
    std::vector<std::string> restored;
    for (const std::string& folder : folders) {
        for (const std::string& name : namesEndingWith(folder, kRecord))
            recoverOne(folder, name, restored);
        // A copy without a record (or with half of one): the save was cut short before its first
        // byte changed.
        for (const std::string& name : namesEndingWith(folder, "")) {
            const std::string copy = folder + "/" + name;
            Descriptor fd(::open(copy.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
            if (name.find(".old-") != std::string::npos && !name.ends_with(kRecord) &&
                ::access((copy + std::string(kRecord)).c_str(), F_OK) != 0 && fd.valid() &&
                ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
                ::unlink(copy.c_str());
        }
    }
    for (const std::string& folder : made)
        ::rmdir(folder.c_str()); // only when nothing is left in it
    return restored;
}

std::string interruptedSavesText(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths)
        text += (text.empty() ? "" : "\n") + std::string("A save of ") + splitPath(path).name +
                " was interrupted; its earlier content was put back.";
    return text;
}

} // namespace tavlor
