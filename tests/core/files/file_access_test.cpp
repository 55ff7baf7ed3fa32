#include "core/document/sheet_document.h"
#include "core/files/file_error.h"
#include "core/files/file_stamp.h"
#include "core/text/system_text.h"

#include "support/error_of.h"
#include "support/ordinary_user.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tavlor::test {

namespace {

using namespace std::string_literals;

// The checksum that tells whether a file still holds what was loaded or saved: the reader adds the
// file in pieces, a save the whole text at once, and both must agree; any one changed bit shows.
TEST(ContentHash, IsTheSameHoweverTheBytesComeAndChangesWithAnyBit) {
    std::string bytes(1000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 % 251);
    const std::uint64_t whole = ContentHash::of(bytes);
    for (const std::size_t piece : {1, 7, 31, 32, 33, 100}) {
        ContentHash hash;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            hash.add(std::string_view(bytes).substr(at, piece));
        EXPECT_EQ(hash.value(), whole) << "pieces of " << piece;
    }
    std::set<std::uint64_t> seen{whole, ContentHash::of(""), ContentHash::of(bytes + '\0')};
    EXPECT_EQ(seen.size(), 3u); // a trailing zero byte counts
    for (std::size_t i = 0; i < bytes.size(); i += 37) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] ^ (1 << bit));
            EXPECT_TRUE(seen.insert(ContentHash::of(changed)).second) << i << ' ' << bit;
        }
    }
}

std::string openError(const std::string& path, int error) {
    return "Cannot open file \"" + path + "\". " + systemErrorText(error);
}

std::string createError(const std::string& path, int error) {
    return "Cannot create file \"" + path + "\". " + systemErrorText(error);
}

// Writes bytes to path and gives the file mode.
void writeWithMode(const std::string& path, const std::string& bytes, mode_t mode) {
    writeBytes(path, bytes);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

class FileAccessTest : public testing::Test {
protected:
    // Loads bytes written to a real file and gives back the loaded document's content summary.
    LoadReport load(const std::string& bytes) {
        const std::string path = folder.file("in.csv");
        writeBytes(path, bytes);
        return document.Ac(path);
    }
    const std::string& cell(int col, int row) { return document.sheet().cell(col, row); }

    TempFolder folder;
    SheetDocument document;
};

} // namespace

TEST(SystemText, FullPathIsAbsoluteAndLexicallyNormalised) {
    char buffer[4096];
    ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
    const std::string cwd = buffer;
    EXPECT_EQ(fullPath(""), "");
    EXPECT_EQ(fullPath("a.csv"), (cwd == "/" ? "" : cwd) + "/a.csv");
    EXPECT_EQ(fullPath("a/./b/../c.csv"), (cwd == "/" ? "" : cwd) + "/a/c.csv");
    EXPECT_EQ(fullPath("/x//y/./z"), "/x/y/z");
    EXPECT_EQ(fullPath("/x/y/"), "/x/y/");
    EXPECT_EQ(fullPath("/../.."), "/");
    EXPECT_EQ(fullPath("/"), "/");
}

TEST(SystemText, ErrorTextsLoseTrailingFullStopsAndBlanks) {
    EXPECT_EQ(systemErrorText(ENOENT), "No such file or directory");
    for (int error = 1; error < 134; ++error) {
        const std::string text = systemErrorText(error);
        ASSERT_FALSE(text.empty()) << error;
        EXPECT_NE(text.back(), '.') << error;
        EXPECT_GE(static_cast<unsigned char>(text.back()), 33) << error;
    }
    EXPECT_EQ(createErrorMessage("", EACCES), "Cannot create file \"\". Permission denied");
}

TEST_F(FileAccessTest, AllLineEndFormsLoadAlike) {
    for (const std::string& text :
         {"a;b\r\nc;d\r\n"s, "a;b\nc;d\n"s, "a;b\rc;d\r"s, "a;b\r\nc;d"s}) {
        load(text);
        EXPECT_EQ(document.sheet().contentText(), "abcd");
        EXPECT_EQ(cell(1, 2), "c");
        EXPECT_EQ(document.sheet().totalsText(), "Total Rows:2 Total Cols:2");
        const std::string out = folder.file("out.csv");
        document.Kaydet(out);
        EXPECT_EQ(readBytes(out), "a;b;\r\nc;d;\r\n");
    }
    load("a\n\rb\r\r\nc");
    EXPECT_EQ(cell(1, 3), "b");
    EXPECT_EQ(cell(1, 5), "c");
}

TEST_F(FileAccessTest, NulInTheThirdLineEndsTheText) {
    const LoadReport report = load("one\r\ntwo\r\nthr\0ee\r\nfour\r\n"s);
    EXPECT_EQ(document.sheet().contentText(), "onetwothr");
    EXPECT_EQ(document.sheet().totalsText(), "Total Rows:3 Total Cols:1");
    EXPECT_TRUE(report.textAfterNulIgnored);
}

TEST_F(FileAccessTest, ByteOrderMarksAndSixteenBitText) {
    load("\xEF\xBB\xBFname;\xC3\xBC\r\n");
    EXPECT_EQ(cell(1, 1), "\xEF\xBB\xBFname");
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
    const std::string out = folder.file("bom.csv");
    document.Kaydet(out);
    EXPECT_EQ(readBytes(out), "\xEF\xBB\xBFname;\xC3\xBC;\r\n");

    // UTF-16 by its mark: the cells hold their characters' bytes, Save writes the same file.
    const std::string word = "\xFF\xFEW\0o\0r\0d\0;\0\r\0\n\0"s; // UTF-16 LE "Word;"
    const LoadReport report = load(word);
    EXPECT_EQ(cell(1, 1), "W\0o\0r\0d\0"s);
    EXPECT_FALSE(report.lostSomething());
    EXPECT_EQ(document.encoding(), TextEncoding::Utf16Le);
    document.Kaydet(out);
    EXPECT_EQ(readBytes(out), word);

    // Big-endian: a NUL character ends the text; Convert Document to UTF-8 keeps the text.
    const LoadReport nul = load("\xFE\xFF\x4E\x2D\0;\0\0\0x"s);
    EXPECT_TRUE(nul.textAfterNulIgnored);
    EXPECT_NE(nul.message().find("\n- everything from the first NUL byte on\n"), std::string::npos);
    EXPECT_EQ(document.encoding(), TextEncoding::Utf16Be);
    document.convertToUtf8();
    EXPECT_EQ(cell(1, 1), "\xE4\xB8\xAD"); // 中
    EXPECT_EQ(document.encoding(), TextEncoding::Utf8);
    EXPECT_TRUE(document.isModified());
    load("x;\xFF\xFE;"s);
    EXPECT_EQ(document.encoding(), TextEncoding::Windows1254);
}

TEST_F(FileAccessTest, ZeroByteFileLoadsAsEmptySheet) {
    document.sheet().setCell(1, 1, "before");
    const LoadReport report = load("");
    EXPECT_EQ(document.sheet().contentText(), "");
    EXPECT_EQ(document.sheet().totalsText(), "Total Rows:0 Total Cols:0");
    EXPECT_FALSE(report.lostSomething());
    EXPECT_FALSE(document.isModified());
}

TEST_F(FileAccessTest, LastCellRoundTripsThroughAFile) {
    document.sheet().setCell(26, 9999, "z");
    document.Genislik();
    const std::string path = folder.file("z.csv");
    document.Kaydet(path);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.size(), 9999u * 28 + 1);
    document.Ac(path);
    EXPECT_EQ(document.sheet().contentText(), "z");
    EXPECT_EQ(cell(26, 9999), "z");
    EXPECT_EQ(document.sheet().totalsText(), "Total Rows:9999 Total Cols:26");
}

TEST_F(FileAccessTest, CannotOpenMissingEmptyFolderOrFifo) {
    const std::string missing = folder.file("nope.csv");
    EXPECT_EQ(errorOf([&] { document.Ac(missing); }), openError(missing, ENOENT));
    EXPECT_EQ(errorOf([&] { document.Ac(""); }),
              "Cannot open file \"\". " + systemErrorText(ENOENT));
    EXPECT_EQ(errorOf([&] { document.Ac(folder.path()); }), openError(folder.path(), EISDIR));
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { document.Ac(fifo); }), openError(fifo, ENXIO)); // and no hang
    // A relative path is reported in full.
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(::chdir(folder.path().c_str()), 0);
    const std::string message = errorOf([&] { document.Ac("sub/../nope.csv"); });
    ASSERT_EQ(::chdir(cwd), 0);
    EXPECT_EQ(message, openError(missing, ENOENT));
}

TEST_F(FileAccessTest, FileHeldForWritingByAnotherProgramIsRefused) {
    const std::string path = folder.file("held.csv");
    writeBytes(path, "old;\r\n");
    const int other = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_EQ(errorOf([&] { document.Ac(path); }), openError(path, EWOULDBLOCK));
    ASSERT_EQ(::flock(other, LOCK_SH), 0); // a reader: loading is fine, replacing is not
    document.Ac(path);
    EXPECT_EQ(cell(1, 1), "old");
    EXPECT_EQ(errorOf([&] { document.Kaydet(path); }), createError(path, EWOULDBLOCK));
    ::close(other);
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), "old;\r\n");
}

TEST_F(FileAccessTest, LongFilesStopAfterTheLastRow) {
    std::string text;
    for (int line = 1; line <= 12000; ++line)
        text += "r" + std::to_string(line) + "\n";
    LoadReport report = load(text);
    EXPECT_EQ(cell(1, 9999), "r9999");
    EXPECT_EQ(report.linesBeyondLastRow, 2001u);
    EXPECT_FALSE(report.moreLinesNotRead);

    // Beyond what the reader looks at after row 9999, the rest is only known to exist.
    text += std::string(3u << 20, 'x');
    report = load(text);
    EXPECT_EQ(cell(1, 9999), "r9999");
    EXPECT_TRUE(report.moreLinesNotRead);
    EXPECT_TRUE(report.lostSomething());
    EXPECT_EQ(document.sheet().totalsText(), "Total Rows:9999 Total Cols:1");

    // Exactly 9999 lines with a final line end: nothing is lost.
    text.clear();
    for (int line = 1; line <= 9999; ++line)
        text += "r;\r\n";
    report = load(text);
    EXPECT_FALSE(report.lostSomething());
}

TEST_F(FileAccessTest, ReadOnlyTargetIsRefusedAndUntouched) {
    const std::string path = folder.file("ro.csv");
    ASSERT_NO_FATAL_FAILURE(writeWithMode(path, "keep;\r\n", 0444));
    document.sheet().setCell(1, 1, "new");
    document.Genislik();
    EXPECT_EQ(errorOf([&] { document.Kaydet(path); }), createError(path, EACCES));
    EXPECT_EQ(readBytes(path), "keep;\r\n");
    EXPECT_EQ(modeOf(path) & 07777, 0444u);
    EXPECT_EQ(folderListing(folder.path()), "ro.csv");
}

TEST_F(FileAccessTest, CreateErrorsForFoldersAndMissingFolders) {
    document.Genislik();
    EXPECT_EQ(errorOf([&] { document.Kaydet(folder.path()); }), createError(folder.path(), EISDIR));
    const std::string inMissing = folder.file("missing/x.csv");
    EXPECT_EQ(errorOf([&] { document.Kaydet(inMissing); }), createError(inMissing, ENOENT));
    EXPECT_EQ(errorOf([&] { document.Kaydet(""); }),
              "Cannot create file \"\". " + systemErrorText(ENOENT));
    EXPECT_EQ(folderListing(folder.path()), "");
}

TEST_F(FileAccessTest, DeniedFolderIsRefused) {
    asOrdinaryUser(folder.path(), [&] {
        const std::string locked = folder.file("locked");
        ASSERT_EQ(::mkdir(locked.c_str(), 0500), 0);
        const std::string path = locked + "/x.csv";
        document.Genislik();
        EXPECT_EQ(errorOf([&] { document.Kaydet(path); }), createError(path, EACCES));
        EXPECT_EQ(folderListing(locked), "");
    });
}

TEST_F(FileAccessTest, UnreadableFileAndFileOfAnotherUserAreRefused) {
    asOrdinaryUser(folder.path(), [&] {
        const std::string path = folder.file("secret.csv");
        ASSERT_NO_FATAL_FAILURE(writeWithMode(path, "x;\r\n", 0200));
        EXPECT_EQ(errorOf([&] { document.Ac(path); }), openError(path, EACCES));
        // A file of another user in a folder we may not write: refused, and left as it was.
        const std::string shared = "/etc/hostname";
        struct stat info {};
        if (::stat(shared.c_str(), &info) == 0 && info.st_uid != ::geteuid()) {
            const std::string before = readBytes(shared);
            document.Genislik();
            EXPECT_EQ(errorOf([&] { document.Kaydet(shared); }), createError(shared, EACCES));
            EXPECT_EQ(readBytes(shared), before);
        }
    });
}

TEST_F(FileAccessTest, SaveKeepsPermissionBitsAndLeavesNoTemporaryFile) {
    const std::string path = folder.file("perm.csv");
    ASSERT_NO_FATAL_FAILURE(writeWithMode(path, "old;\r\n", 0640));
    document.sheet().setCell(2, 1, "new");
    document.Genislik();
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), ";new;\r\n");
    EXPECT_EQ(modeOf(path) & 07777, 0640u);
    EXPECT_EQ(folderListing(folder.path()), "perm.csv");

    // A new file gets the usual mode for new files (0666 less the umask).
    const mode_t mask = ::umask(022);
    const std::string fresh = folder.file("fresh.csv");
    document.Kaydet(fresh);
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh) & 07777, 0644u);
}

TEST_F(FileAccessTest, SaveKeepsExtendedAttributes) {
    const std::string path = folder.file("tagged.csv");
    writeBytes(path, "old;\r\n");
    const std::string comment = "quarterly figures";
    if (::setxattr(path.c_str(), "user.xdg.comment", comment.data(), comment.size(), 0) != 0)
        GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
    ASSERT_EQ(::setxattr(path.c_str(), "user.empty", "", 0, 0), 0);
    document.sheet().setCell(1, 1, "new");
    document.Genislik();
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), "new;\r\n");
    char value[64] = {};
    const ssize_t length = ::getxattr(path.c_str(), "user.xdg.comment", value, sizeof value);
    ASSERT_GE(length, 0) << std::strerror(errno);
    EXPECT_EQ(std::string(value, static_cast<std::size_t>(length)), comment);
    EXPECT_EQ(::getxattr(path.c_str(), "user.empty", value, sizeof value), 0);
    EXPECT_EQ(folderListing(folder.path()), "tagged.csv");
}

// The access control list "user::rw-,user:<nobody>:rw-,group::r--,mask::rw-,other::---" in the
// kernel's form (posix_acl_xattr_header and entries).
std::string aclGivingNobodyReadWrite() {
    constexpr std::uint16_t kNoId = 0xFFFF;
    const std::uint16_t entries[][4] = {{0x01, 6, kNoId, kNoId},
                                        {0x02, 6, kNobody & 0xFFFF, kNobody >> 16},
                                        {0x04, 4, kNoId, kNoId},
                                        {0x10, 6, kNoId, kNoId},
                                        {0x20, 0, kNoId, kNoId}};
    const std::uint32_t version = 2;
    return std::string(reinterpret_cast<const char*>(&version), sizeof version) +
           std::string(reinterpret_cast<const char*>(entries), sizeof entries);
}

std::string attribute(const std::string& path, const char* name) {
    char value[256];
    const ssize_t length = ::getxattr(path.c_str(), name, value, sizeof value);
    return length < 0 ? "none" : std::string(value, static_cast<std::size_t>(length));
}

TEST_F(FileAccessTest, SaveKeepsTheAccessControlListsOfTheOldFileAndARedirectsForANewOne) {
    const std::string acl = aclGivingNobodyReadWrite();
    if (::setxattr(folder.path().c_str(), "system.posix_acl_default", acl.data(), acl.size(), 0))
        GTEST_SKIP() << "this file system keeps no access control lists: " << std::strerror(errno);
    // A file without a list of its own, and one with the folder's.
    const std::string plain = folder.file("plain.csv");
    const std::string shared = folder.file("shared.csv");
    writeBytes(plain, "old;\r\n");
    writeBytes(shared, "old;\r\n");
    ASSERT_EQ(::removexattr(plain.c_str(), "system.posix_acl_access"), 0);
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    const mode_t sharedMode = modeOf(shared);
    document.Genislik();
    document.Kaydet(plain);
    document.Kaydet(shared);
    EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "none");
    EXPECT_EQ(modeOf(plain) & 07777, 0640u);
    EXPECT_EQ(attribute(shared, "system.posix_acl_access"), acl);
    EXPECT_EQ(modeOf(shared), sharedMode);

    const std::string redirect = folder.file("redirect.csv");
    ::close(::open(redirect.c_str(), O_CREAT | O_WRONLY, 0666));
    document.Kaydet(folder.file("new.csv"));
    EXPECT_EQ(attribute(folder.file("new.csv"), "system.posix_acl_access"),
              attribute(redirect, "system.posix_acl_access"));
    EXPECT_EQ(modeOf(folder.file("new.csv")), modeOf(redirect));
}

TEST_F(FileAccessTest, LongestFileNamesCanBeReplaced) {
    const std::string path = folder.file(std::string(250, 'n') + ".csv");
    writeBytes(path, "old;\r\n");
    document.sheet().setCell(1, 1, "new");
    document.Genislik();
    document.Kaydet(path);
    EXPECT_EQ(readBytes(path), "new;\r\n");
    EXPECT_EQ(folderListing(folder.path()), std::string(250, 'n') + ".csv");
}

TEST_F(FileAccessTest, SymbolicLinkKeepsPointingAtTheReplacedFile) {
    ASSERT_EQ(::mkdir(folder.file("real").c_str(), 0700), 0);
    const std::string target = folder.file("real/data.csv");
    ASSERT_NO_FATAL_FAILURE(writeWithMode(target, "old;\r\n", 0600));
    const std::string link = folder.file("link.csv");
    ASSERT_EQ(::symlink("real/data.csv", link.c_str()), 0);
    document.sheet().setCell(1, 1, "via link");
    document.Genislik();
    document.Kaydet(link);
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readBytes(target), "via link;\r\n");
    EXPECT_EQ(modeOf(target) & 07777, 0600u);
    EXPECT_EQ(folderListing(folder.file("real")), "data.csv");
    EXPECT_EQ(folderListing(folder.path()), "link.csv real");

    // A dangling link: the file it names is created.
    const std::string dangling = folder.file("dangling.csv");
    ASSERT_EQ(::symlink("real/new.csv", dangling.c_str()), 0);
    document.Kaydet(dangling);
    EXPECT_TRUE(S_ISLNK(modeOf(dangling)));
    EXPECT_EQ(readBytes(folder.file("real/new.csv")), "via link;\r\n");
}

TEST_F(FileAccessTest, DiskFullKeepsTheOldFileByteForByte) {
    const std::string path = folder.file("full.csv");
    std::string old;
    for (int i = 0; i < 500; ++i)
        old += "old line " + std::to_string(i) + ";\r\n";
    for (int r = 1; r <= 2000; ++r)
        document.sheet().setCell(1, r, "a longer line of new text " + std::to_string(r));
    document.Genislik();
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);

    // First by a new file renamed over the old one; then in place, as a second hard link asks.
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "in place" : "by rename");
        writeBytes(path, old);
        if (linked) {
            ASSERT_EQ(::link(path.c_str(), folder.file("link.csv").c_str()), 0);
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The limit makes the system write short (EFBIG) instead of killing us. It lets the
            // old bytes be kept aside but not the new ones be written.
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 16384;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            int code = 2;
            try {
                document.Kaydet(path);
            } catch (const FileError& error) {
                code = std::string(error.what()) == "Stream write error" ? 0 : 1;
            } catch (...) {
                code = 3;
            }
            ::_exit(code);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: other error, 2: no error, 3: other exception";
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(folderListing(folder.path()), linked ? "cache full.csv link.csv" : "full.csv");
    }
    EXPECT_EQ(folderListing(folder.file("cache/tavlor")), "");
    ::unsetenv("XDG_CACHE_HOME");
}

TEST(FileAccessErrors, ReadErrorAfterOpeningRaisesTheOpenError) {
    // Reading the process's own memory file at offset 0 fails with an I/O error after a good open.
    SheetDocument document;
    document.sheet().setCell(1, 1, "before");
    const std::string path = "/proc/self/mem";
    EXPECT_EQ(errorOf([&] { document.Ac(path); }),
              "Cannot open file \"/proc/self/mem\". " + systemErrorText(EIO));
    EXPECT_EQ(document.sheet().contentText(), "");
}

} // namespace tavlor::test
