// How a save replaces an existing file: a new file renamed over it, or the old file rewritten in
// place where a rename would not leave it what it was (links, owner, group, folder rights).
#include "core/document/sheet_document.h"
#include "core/save/old_bytes_copy.h"
#include "core/save/save_plan.h"
#include "core/text/system_text.h"

#include "support/error_of.h"
#include "support/kill_points.h"
#include "support/ordinary_user.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavlor::test {
namespace {

constexpr uid_t kRoot = 0;
constexpr gid_t kUsers = 100;
constexpr gid_t kNoGroup = kNobody;

struct PathCase {
    const char* name;
    bool asNobody;     // the save runs as "nobody" (as root: in a child process)
    gid_t extraGroup;  // a further group of that user, or -1
    mode_t folderMode; // of the folder d holding d/f.csv
    uid_t folderOwner; // (-1: ours)
    uid_t fileOwner;   // of d/f.csv (-1: ours)
    gid_t fileGroup;   // (-1: ours)
    mode_t fileMode;
    bool secondLink;     // d/g.csv is another name of d/f.csv
    const char* summary; // what the save left, see summaryOf()
};

std::string summaryOf(const std::string& folder, ino_t before) {
    const std::string file = folder + "/d/f.csv";
    const std::string backups = folder + "/cache/tavlor";
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return "missing";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(info.st_mode & 07777));
    std::string text = readBytes(file);
    text.resize(text.size() - 3); // without ";" CR LF
    return text + " " + std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " " +
           mode + (info.st_ino == before ? " in place" : " renamed") +
           (info.st_nlink > 1 ? " g:" + readBytes(folder + "/d/g.csv").substr(0, 3) : "") +
           " | d: " + folderListing(folder + "/d") +
           " | backups: " + (::access(backups.c_str(), F_OK) == 0 ? folderListing(backups) : "");
}

class SavePathTable : public testing::TestWithParam<PathCase> {};

TEST_P(SavePathTable, KeepsTheFileWhatItWas) {
    const PathCase& row = GetParam();
    const bool root = ::geteuid() == 0;
    if (!root && (row.asNobody || row.fileOwner != static_cast<uid_t>(-1) ||
                  row.fileGroup != static_cast<gid_t>(-1)))
        GTEST_SKIP() << "needs root to give files to other users";
    TempFolder folder;
    const std::string d = folder.file("d");
    const std::string file = d + "/f.csv";
    ASSERT_EQ(::mkdir(d.c_str(), 0700), 0);
    writeBytes(file, "old;\r\n");
    if (row.secondLink) {
        ASSERT_EQ(::link(file.c_str(), (d + "/g.csv").c_str()), 0);
    }
    const uid_t user = row.asNobody ? kNobody : ::geteuid();
    const gid_t group = row.asNobody ? kNoGroup : ::getegid();
    auto orOurs = [](auto id, auto ours) {
        return id == static_cast<decltype(id)>(-1) ? ours : id;
    };
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), orOurs(row.fileOwner, user), orOurs(row.fileGroup, group)),
                  0);
        ASSERT_EQ(::chown(d.c_str(), orOurs(row.folderOwner, user), group), 0);
    }
    ASSERT_EQ(::chmod(file.c_str(), row.fileMode), 0);
    ASSERT_EQ(::chmod(d.c_str(), row.folderMode), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    SheetDocument document;
    document.sheet().setCell(1, 1, "new");
    document.Genislik();
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);
    auto save = [&] {
        document.Kaydet(file);
        EXPECT_EQ(summaryOf(folder.path(), before.st_ino), row.summary);
    };
    if (row.asNobody)
        asOrdinaryUser(folder.path(), save, row.extraGroup);
    else
        save();
    ::unsetenv("XDG_CACHE_HOME");
}

constexpr auto kNone = static_cast<gid_t>(-1);
constexpr auto kOurs = static_cast<uid_t>(-1);

// clang-format off
const PathCase kPathCases[] = {
    {"OwnFile", false, kNone, 0755, kOurs, kOurs, kNone, 0640, false,
     "new 0:0 640 renamed | d: f.csv | backups: "},
    {"SecondHardLink", false, kNone, 0755, kOurs, kOurs, kNone, 0644, true,
     "new 0:0 644 in place g:new | d: f.csv g.csv | backups: "},
    {"WritableFileInAFolderWeMayNotWrite", true, kNone, 0555, kOurs, kOurs, kNone, 0644, false,
     "new 65534:65534 644 in place | d: f.csv | backups: "},
    {"ColleaguesGroupWritableFile", true, kNone, 0755, kOurs, kRoot, kNoGroup, 0664, false,
     "new 0:65534 664 in place | d: f.csv | backups: "},
    {"OwnFileOfAGroupWeAreNotIn", true, kNone, 0755, kOurs, kOurs, kUsers, 0664, false,
     "new 65534:100 664 in place | d: f.csv | backups: "},
    {"OwnFileOfASharedGroup", true, kUsers, 0755, kOurs, kOurs, kUsers, 0664, false,
     "new 65534:100 664 renamed | d: f.csv | backups: "},
    {"SetIdBitsByRename", true, kNone, 0755, kOurs, kOurs, kNone, 06754, false,
     "new 65534:65534 6754 renamed | d: f.csv | backups: "},
    {"SetIdBitsInPlace", true, kNone, 0755, kOurs, kOurs, kNone, 06754, true,
     "new 65534:65534 6754 in place g:new | d: f.csv g.csv | backups: "},
    {"AnotherUsersFileInAStickyFolder", true, kNone, 01777, kRoot, kRoot, kRoot, 0666, false,
     "new 0:0 666 in place | d: f.csv | backups: "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, SavePathTable, testing::ValuesIn(kPathCases),
                         [](const testing::TestParamInfo<PathCase>& info) {
                             return info.param.name;
                         });

struct DecisionCase {
    const char* name;
    TargetFacts facts;
    SaveRoute route;
    int error;
};

// clang-format off
constexpr mode_t kFile = S_IFREG | 0644;
const DecisionCase kDecisionCases[] = {
    {"NewFile", {}, SaveRoute::Rename, 0},
    {"OwnFile", {.exists = true, .mode = kFile, .readable = true}, SaveRoute::Rename, 0},
    {"Folder", {.exists = true, .mode = S_IFDIR | 0755}, SaveRoute::Refuse, EISDIR},
    {"Fifo", {.exists = true, .mode = S_IFIFO | 0644}, SaveRoute::Refuse, ENXIO},
    {"NoWriteBit", {.exists = true, .mode = S_IFREG | 0444}, SaveRoute::Refuse, EACCES},
    {"NotWritable", {.exists = true, .mode = kFile, .openError = EROFS}, SaveRoute::Refuse, EROFS},
    {"SecondHardLink", {.exists = true, .mode = kFile, .links = 2, .readable = true}, SaveRoute::InPlace, 0},
    {"BindMounted", {.exists = true, .mode = kFile, .readable = true, .mountRoot = true}, SaveRoute::InPlace, 0},
    {"FolderTakesNoNewFiles", {.exists = true, .mode = kFile, .readable = true, .folderTakesNewFiles = false}, SaveRoute::InPlace, 0},
    {"OwnerOrGroupNotOurs", {.exists = true, .mode = kFile, .readable = true, .newFileGetsOwner = false}, SaveRoute::InPlace, 0},
    {"StickyFolderOfOthers", {.exists = true, .mode = kFile, .readable = true, .stickyFolderOfOthers = true}, SaveRoute::InPlace, 0},
    {"RenameRefused", {.exists = true, .mode = kFile, .readable = true, .renameRefused = true}, SaveRoute::InPlace, 0},
    {"InPlaceButUnreadable", {.exists = true, .mode = kFile, .links = 2}, SaveRoute::Refuse, EACCES},
};
// clang-format on

class SaveDecision : public testing::TestWithParam<DecisionCase> {};

TEST_P(SaveDecision, TakesTheRouteTheFactsCallFor) {
    const SavePlan plan = decideSave(GetParam().facts);
    EXPECT_EQ(plan.route, GetParam().route) << plan.reason;
    EXPECT_EQ(plan.error, GetParam().error) << plan.reason;
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveDecision, testing::ValuesIn(kDecisionCases),
                         [](const testing::TestParamInfo<DecisionCase>& info) {
                             return info.param.name;
                         });

// From now on every flock() of this process fails with error, as on a file system without locks.
bool refuseLocks(int error) {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_flock, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (static_cast<unsigned>(error) & 0xFFFF)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

class NoLocks : public testing::TestWithParam<int> {};

TEST_P(NoLocks, OpenAndSaveGoOnWithoutThem) {
    TempFolder folder;
    const std::string path = folder.file("f.csv");
    writeBytes(path, "old;\r\n");
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!refuseLocks(GetParam()))
            ::_exit(2);
        errno = 0;
        EXPECT_EQ(::flock(0, LOCK_SH | LOCK_NB), -1);
        EXPECT_EQ(errno, GetParam());
        SheetDocument document;
        document.Ac(path);
        document.sheet().setCell(2, 1, "renamed");
        document.Genislik();
        document.Kaydet(path);
        EXPECT_EQ(readBytes(path), "old;renamed;\r\n");
        EXPECT_EQ(::link(path.c_str(), folder.file("g.csv").c_str()), 0);
        document.sheet().setCell(2, 1, "in place");
        document.Genislik();
        document.Kaydet(path);
        EXPECT_EQ(readBytes(folder.file("g.csv")), "old;in place;\r\n");
        ::_exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::unsetenv("XDG_CACHE_HOME");
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not install the system call filter";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "open or save failed without locks (see above)";
}

INSTANTIATE_TEST_SUITE_P(Errors, NoLocks, testing::Values(ENOLCK, EOPNOTSUPP, ENOSYS),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == ENOLCK       ? "ENOLCK"
                                    : info.param == EOPNOTSUPP ? "EOPNOTSUPP"
                                                               : "ENOSYS";
                         });

// Runs body in a child process with a mount namespace of its own, so its mounts vanish with it;
// body ends the child with status 2 when a mount it needs is refused, which skips the test.
void inOwnMountNamespace(const std::function<void()>& body) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount";
    const int status = runInChild(
        [] {
            return ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        },
        body);
    ASSERT_LT(status, 128) << "the child ended by signal " << status - 128;
    if (status == 2)
        GTEST_SKIP() << "this system lets no test mount what it needs";
    EXPECT_EQ(status, 0) << "see the failures above";
}

SheetDocument& newText(SheetDocument& document) {
    document.sheet().setCell(1, 1, "new");
    document.Genislik();
    return document;
}

class FullDisk : public testing::Test { // a folder to mount on, the cache and a 200 KB sheet
protected:
    void SetUp() override {
        ASSERT_EQ(::mkdir(disk.c_str(), 0700), 0);
        ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);
        for (int r = 1; r <= 2000; ++r)
            document.sheet().setCell(1, r, std::string(100, 'n'));
        document.Genislik();
    }
    void TearDown() override { ::unsetenv("XDG_CACHE_HOME"); }

    TempFolder folder;
    const std::string disk = folder.file("disk");
    const std::string path = disk + "/f.csv";
    SheetDocument document;
};

TEST_F(FullDisk, KeepsTheOldFileOnBothSavePaths) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small file system";
    const std::string old(40000, 'o');

    // In a mount namespace of its own, a child mounts 64 KiB over the folder: the old file fits,
    // the new one (about 200 KB) does not.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(2);
        for (const bool linked : {false, true}) {
            SCOPED_TRACE(linked ? "in place" : "by rename");
            writeBytes(path, old);
            if (linked) {
                EXPECT_EQ(::link(path.c_str(), (disk + "/g.csv").c_str()), 0);
            }
            struct stat before {};
            EXPECT_EQ(::stat(path.c_str(), &before), 0);
            EXPECT_EQ(errorOf([&] { document.Kaydet(path); }), "Stream write error");
            EXPECT_TRUE(readBytes(path) == old);
            // Not a byte was written: in place, the missing space showed before the first one.
            struct stat after {};
            EXPECT_EQ(::stat(path.c_str(), &after), 0);
            EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
            EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
            EXPECT_EQ(folderListing(disk), linked ? "f.csv g.csv" : "f.csv");
        }
        ::_exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::unsetenv("XDG_CACHE_HOME");
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "this system lets no test mount a file system";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a full disk changed the file (see above)";
    EXPECT_EQ(folderListing(folder.file("cache/tavlor")), "");
}

TEST(KernelLinkRules, ASaveFollowsOnlyTheLinksTheKernelFollows) {
    TempFolder folder;
    const std::string precious = folder.file("precious.csv");
    writeBytes(precious, "precious;\r\n");
    const std::string disk = folder.file("disk");
    ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
    SheetDocument document;
    newText(document);
    if (std::ifstream("/proc/sys/fs/protected_symlinks").get() == '1') {
        // Root follows no link that another user left in a sticky, world-writable folder.
        ASSERT_EQ(::chmod(disk.c_str(), 01777), 0);
        const std::string link = disk + "/list.csv";
        ASSERT_EQ(::symlink(precious.c_str(), link.c_str()), 0);
        ASSERT_EQ(::lchown(link.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(errorOf([&] { document.Kaydet(link); }), createErrorMessage(link, EACCES));
        EXPECT_EQ(readBytes(precious), "precious;\r\n");
    }
    // A file system mounted "nosymfollow": the kernel follows no link on it, nor does a save.
    inOwnMountNamespace([&] {
        if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_NOSYMFOLLOW, "size=64k") != 0)
            ::_exit(2);
        const std::string link = disk + "/list.csv";
        const std::string dangling = disk + "/new.csv";
        EXPECT_EQ(::symlink(precious.c_str(), link.c_str()), 0);
        EXPECT_EQ(::symlink(folder.file("new.csv").c_str(), dangling.c_str()), 0);
        EXPECT_EQ(errorOf([&] { document.Kaydet(link); }), createErrorMessage(link, ELOOP));
        EXPECT_EQ(errorOf([&] { document.Kaydet(dangling); }), createErrorMessage(dangling, ELOOP));
        EXPECT_EQ(readBytes(precious), "precious;\r\n");
        EXPECT_EQ(folderListing(folder.path()), "disk precious.csv");
    });
}

TEST(BindMountedFile, IsRewrittenInPlace) {
    TempFolder folder;
    const std::string real = folder.file("real.csv");
    const std::string file = folder.file("f.csv");
    writeBytes(real, "old;\r\n");
    writeBytes(file, "under the mount;\r\n");
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);
    SheetDocument document;
    inOwnMountNamespace([&] {
        if (::mount(real.c_str(), file.c_str(), nullptr, MS_BIND, nullptr) != 0)
            ::_exit(2);
        newText(document).Kaydet(file);
        EXPECT_EQ(readBytes(real), "new;\r\n");
        EXPECT_EQ(folderListing(folder.path()), "cache f.csv real.csv");
    });
    ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(FullDisk, AFailedSaveInPlaceGivesBackTheSpaceItReserved) {
    const std::string image = folder.file("ext4.img");
    inOwnMountNamespace([&] {
        // An ext4 file system of 8 MiB without blocks kept for root, filled up to 100 KiB.
        if (std::system(("truncate -s 8M " + image + " && mkfs.ext4 -q -m 0 " + image +
                         " && mount -o loop " + image + " " + disk)
                            .c_str()) != 0)
            ::_exit(2);
        writeBytes(path, "old;\r\n");
        EXPECT_EQ(::link(path.c_str(), (disk + "/g.csv").c_str()), 0);
        auto freeBytes = [&] {
            struct statvfs info {};
            EXPECT_EQ(::statvfs(disk.c_str(), &info), 0);
            return static_cast<long long>(info.f_bavail) * static_cast<long long>(info.f_bsize);
        };
        const int filler = ::open((disk + "/filler").c_str(), O_CREAT | O_WRONLY, 0600);
        EXPECT_EQ(::fallocate(filler, 0, 0, freeBytes() - 100 * 1024), 0);
        ::close(filler);
        const long long before = freeBytes();
        EXPECT_EQ(errorOf([&] { document.Kaydet(path); }), "Stream write error");
        EXPECT_EQ(readBytes(path), "old;\r\n");
        // All of it, but for a block or so of the file system's own bookkeeping.
        EXPECT_GE(freeBytes(), before - 4096);
    });
}

TEST(KilledSave, LeavesTheOldOrTheNewBytesAndTheNextSaveNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("full.csv");
    SheetDocument document;
    for (int r = 1; r <= 9999; ++r)
        for (int c = 1; c <= 26; ++c)
            document.sheet().setCell(c, r, "n");
    document.Genislik();
    const std::string oldBytes(1u << 20, 'o');
    document.Kaydet(path);
    const std::string newBytes = readBytes(path);

    // 'o' or 'n' for each kill, in the order of the system calls it came before.
    std::string outcomes;
    const int kills =
        killAtEverySystemCall([&] { writeBytes(path, oldBytes); }, [&] { document.Kaydet(path); },
                              [&](int stop, bool finished) {
                                  const std::string bytes = readBytes(path);
                                  EXPECT_TRUE(bytes == oldBytes || bytes == newBytes)
                                      << "a mix after a kill at system-call stop " << stop;
                                  EXPECT_TRUE(!finished || bytes == newBytes)
                                      << "the save that ran to its end";
                                  outcomes += bytes == newBytes ? 'n' : 'o';
                              });
    // The old bytes until the one step that puts the new ones in place, the new bytes after it.
    const std::size_t firstNew = outcomes.find('n');
    ASSERT_GT(kills, 2);
    EXPECT_EQ(outcomes, std::string(firstNew, 'o') + std::string(outcomes.size() - firstNew, 'n'));
    EXPECT_GT(firstNew, 0u);

    // Where the file system has no unnamed files, a killed save leaves its named new file; the next
    // save removes it, but not one that a running save holds.
    writeBytes(folder.file(".full.csv.tavlor-stale1"), "part");
    writeBytes(folder.file(".full.csv.tavlor-held01"), "part");
    const int held = ::open(folder.file(".full.csv.tavlor-held01").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    document.Kaydet(path);
    ::close(held);
    EXPECT_EQ(readBytes(path), newBytes);
    EXPECT_EQ(folderListing(folder.path()), ".full.csv.tavlor-held01 full.csv");
}

TEST(OldBytesCopy, GoesToTheFirstPlaceThatTakesItAndOnlyToPrivateFoldersOfOurs) {
    TempFolder folder;
    for (const char* name : {"cache", "run", "tmp", "home", "tmp/tavlor-0"})
        ASSERT_EQ(::mkdir(folder.file(name).c_str(), 0700), 0);
    // Another user's home, and in the temporary folder a folder of another user with the name a
    // private folder of ours might have.
    ASSERT_EQ(::chown(folder.file("home").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(folder.file("tmp/tavlor-0").c_str(), kNobody, kNobody), 0);
    const std::string path = folder.file("f.csv");
    writeBytes(path, std::string(64 * 1024, 'o'));
    ASSERT_EQ(::link(path.c_str(), folder.file("g.csv").c_str()), 0);
    SheetDocument document;
    ::setenv("TMPDIR", folder.file("tmp").c_str(), 1);
    inOwnMountNamespace([&] {
        // The cache's disk is full: the copy goes to the runtime folder.
        if (::mount("tmpfs", folder.file("cache").c_str(), "tmpfs", 0, "size=4k") != 0)
            ::_exit(2);
        ::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", folder.file("run").c_str(), 1);
        newText(document).Kaydet(path);
        EXPECT_EQ(readBytes(path), "new;\r\n");
        EXPECT_EQ(folderListing(folder.file("run")), "tavlor");
        // Neither: a home not ours gets no ~/.cache, and a private folder is made and removed.
        ::unsetenv("XDG_CACHE_HOME");
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("HOME", folder.file("home").c_str(), 1);
        document.sheet().setCell(1, 1, "newer");
        document.Kaydet(path);
        EXPECT_EQ(readBytes(folder.file("g.csv")), "newer;\r\n");
        EXPECT_EQ(folderListing(folder.file("home")), "");
        EXPECT_EQ(folderListing(folder.file("tmp")), "tavlor-0");
    });
    ::unsetenv("TMPDIR");
}

TEST(KilledSave, InPlaceTheNextStartFindsTheOldOrTheNewBytes) {
    TempFolder folder;
    const std::string path = folder.file("full.csv");
    ASSERT_EQ(::setenv("XDG_CACHE_HOME", folder.file("cache").c_str(), 1), 0);
    const std::string oldBytes(64 * 1024, 'o');
    writeBytes(path, oldBytes);
    ASSERT_EQ(::link(path.c_str(), folder.file("link.csv").c_str()), 0);
    SheetDocument document;
    int restoredCount = 0;
    killAtEverySystemCall(
        [&] { writeBytes(path, oldBytes); }, [&] { newText(document).Kaydet(path); },
        [&](int stop, bool) {
            const std::vector<std::string> restored = recoverInterruptedSaves();
            const std::string bytes = readBytes(path);
            EXPECT_TRUE(bytes == oldBytes || bytes == "new;\r\n")
                << "a mix after a kill at system-call stop " << stop << " and the next start";
            EXPECT_TRUE(restored.empty() ||
                        (restored == std::vector<std::string>{path} && bytes == oldBytes));
            restoredCount += restored.empty() ? 0 : 1;
        });
    // The kills between the new bytes' writing and the cut to their length left a mix, which the
    // next start put back; nothing is left behind.
    EXPECT_GT(restoredCount, 0);
    EXPECT_EQ(folderListing(folder.file("cache/tavlor")), "");
    EXPECT_EQ(interruptedSavesText({path, "/x/b.csv"}),
              "A save of full.csv was interrupted; its earlier content was put back.\n"
              "A save of b.csv was interrupted; its earlier content was put back.");
    ::unsetenv("XDG_CACHE_HOME");
}

} // namespace
} // namespace tavlor::test
