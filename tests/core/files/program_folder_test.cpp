#include "core/files/program_folder.h"

#include <gtest/gtest.h>

namespace tavlor::test {
namespace {

struct FolderCase {
    const char* name;
    const char* programPath;
    const char* folder;
    const char* versions;
};

class ProgramFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolder, FolderAndVersionHistoryPath) {
    EXPECT_EQ(programFolder(GetParam().programPath), GetParam().folder);
    EXPECT_EQ(versionHistoryPath(GetParam().programPath), GetParam().versions);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramFolder,
    testing::Values(
        FolderCase{"Ordinary", "/opt/tools/sheet/tavlor", "/opt/tools/sheet",
                   "/opt/tools/sheet/versions.txt"},
        FolderCase{"Root", "/tavlor", "/", "//versions.txt"},
        FolderCase{"BlanksStayUnquoted", "/home/a b/my tools/tavlor", "/home/a b/my tools",
                   "/home/a b/my tools/versions.txt"},
        FolderCase{"DoubledSeparatorKept", "/srv//tavlor", "/srv//", "/srv///versions.txt"},
        FolderCase{"ColonIsAnOrdinaryCharacter", "/x/c:d/tavlor", "/x/c:d", "/x/c:d/versions.txt"},
        FolderCase{"NoFolder", "tavlor", "", "/versions.txt"}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST(ProgramFolder, InstalledProgramLooksInShare) {
    EXPECT_EQ(installedVersionHistoryPath("/usr/local/bin/tavlor"),
              "/usr/local/bin/../share/tavlor/versions.txt");
}

} // namespace
} // namespace tavlor::test
