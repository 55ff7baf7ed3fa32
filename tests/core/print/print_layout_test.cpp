#include "core/print/print_channel.h"
#include "core/print/print_layout.h"
#include "support/fake_text_device.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavlor::test {
namespace {

// Lays text out through an open channel on device and closes it.
void printThroughChannel(FakeTextDevice& device, const std::string& text) {
    PrintChannel channel(device);
    channel.open();
    channel.write(text);
    channel.close();
}

// A layout on a device of width x height whose job has begun, as a layout needs it.
struct BegunJob {
    BegunJob(int width, int height) : device(width, height) { device.beginJob(); }
    FakeTextDevice device;
};
struct PageLayout : BegunJob {
    PageLayout(int width, int height) : BegunJob(width, height), layout(device) {}
    PrintLayout layout;
};

TEST(PrintLayout, EmptyJobHasOneBlankPage) {
    FakeTextDevice device(1000, 1000);
    printThroughChannel(device, "");
    EXPECT_EQ(device.jobsBegun(), 1);
    EXPECT_EQ(device.jobsEnded(), 1);
    EXPECT_EQ(device.pages(), 1);
    EXPECT_TRUE(device.drawn().empty());
}

TEST(PrintLayout, TextLineAdvancesByHeightPlusTwoAndEmptyLineByCharHeight) {
    PageLayout page(1000, 1000);
    page.layout.layOut("ab\n");
    EXPECT_EQ(page.layout.y(), 14);
    page.layout.layOut("\r\n"); // a run of nothing draws nothing: the plain character height
    EXPECT_EQ(page.layout.y(), 26);
    page.layout.layOut("c");
    EXPECT_EQ(page.layout.x(), 10);
    EXPECT_EQ(page.layout.lineHeight(), 14);
    const std::vector<DrawnRun> expected{{1, 0, 0, "ab"}, {1, 0, 26, "c"}};
    EXPECT_EQ(page.device.drawn(), expected);
}

// A layout on a begun job of a width x height page, the texts laid out one after the other: what
// is drawn where, and the pages, x and y where a row names them.
struct DrawCase {
    const char* name;
    int width;
    int height;
    std::vector<std::string> texts;
    std::vector<DrawnRun> expected;
    std::optional<int> pages = {};
    std::optional<int> x = {};
    std::optional<int> y = {};
};

class PrintLayoutDraws : public testing::TestWithParam<DrawCase> {};

TEST_P(PrintLayoutDraws, TheRunsOfTheRow) {
    const DrawCase& row = GetParam();
    PageLayout page(row.width, row.height);
    for (const std::string& text : row.texts)
        page.layout.layOut(text);
    EXPECT_EQ(page.device.drawn(), row.expected);
    if (row.pages) {
        EXPECT_EQ(page.device.pages(), *row.pages);
    }
    if (row.x) {
        EXPECT_EQ(page.layout.x(), *row.x);
    }
    if (row.y) {
        EXPECT_EQ(page.layout.y(), *row.y);
    }
}

// clang-format off
const DrawCase kDrawCases[] = {
    {.name = "CarriageReturnKeepsThePositionAndFormFeedStartsAPage", .width = 1000, .height = 1000,
     .texts = {"ab\rcd\fe"},
     .expected = {{1, 0, 0, "ab"}, {1, 20, 0, "cd"}, {2, 0, 0, "e"}}, .pages = 2},
    // 21 characters, 10 fit on a line.
    {.name = "RunWiderThanThePageBreaksAtACharacter", .width = 100, .height = 1000,
     .texts = {"hello wonderful world"},
     .expected = {{1, 0, 0, "hello wond"}, {1, 0, 14, "erful worl"}, {1, 0, 28, "d"}}, .x = 10},
    // x = 90 after the first run: one b fits exactly; then the line is full: nothing of "d"
    // fits, next line.
    {.name = "BreakAfterEarlierRunsUsesTheRoomLeftOnTheLine", .width = 100, .height = 1000,
     .texts = {"aaaaaaaaa\rbb", "\ncccccccccc\rd"},
     .expected = {{1, 0, 0, "aaaaaaaaa"}, {1, 90, 0, "b"}, {1, 0, 14, "b"},
                  {1, 0, 28, "cccccccccc"}, {1, 0, 42, "d"}}},
    // 9 + 2 bytes: the break must not split the é; a lone lead byte counts as one character.
    {.name = "BreakStepsBackOverWholeCharacters", .width = 100, .height = 1000,
     .texts = {"abcdefghi\xC3\xA9\n", "abcdefghi\xC3\n"},
     .expected = {{1, 0, 0, "abcdefghi"}, {1, 0, 14, "\xC3\xA9"}, {1, 0, 28, "abcdefghi\xC3"}}},
    {.name = "CharacterWiderThanThePageDoesNotLoop", .width = 5, .height = 1000,
     .texts = {"abc"},
     .expected = {{1, 0, 0, "a"}, {1, 0, 14, "b"}, {1, 0, 28, "c"}}},
    // 20 -> 80; 90 -> 160 > 100: new line.
    {.name = "TabBeyondThePageWidthEndsTheLine", .width = 100, .height = 1000,
     .texts = {"ab\tc\td"},
     .expected = {{1, 0, 0, "ab"}, {1, 80, 0, "c"}, {1, 0, 14, "d"}}},
    // H = 60: text lines end at 14, 28, then 42 > 60 - 2 x 14 begins a new page.
    {.name = "PageEndKeepsRoomForTwoLinesAfterATextLine", .width = 1000, .height = 60,
     .texts = {"a\nb\nc\nd\n"},
     .expected = {{1, 0, 0, "a"}, {1, 0, 14, "b"}, {1, 0, 28, "c"}, {2, 0, 0, "d"}}, .pages = 2,
     .y = 14},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, PrintLayoutDraws, testing::ValuesIn(kDrawCases),
                         [](const testing::TestParamInfo<DrawCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PrintLayout, CharacterBoundaries) {
    EXPECT_EQ(PrintLayout::previousCharEnd("ab", 2), 1u);
    EXPECT_EQ(PrintLayout::previousCharEnd("a\xE2\x82\xAC", 4), 1u); // euro sign, 3 bytes
    EXPECT_EQ(PrintLayout::previousCharEnd("a\xF0\x9F\x98\x80", 5), 1u);
    EXPECT_EQ(PrintLayout::previousCharEnd("a\x80\x80", 3), 2u);    // stray continuation bytes
    EXPECT_EQ(PrintLayout::previousCharEnd("\xE2\x82\xAC", 2), 1u); // cut sequence: byte-wise
    EXPECT_EQ(PrintLayout::previousCharEnd("\xED\xA0\x80", 3), 2u); // encoded surrogate: invalid
    EXPECT_EQ(PrintLayout::previousCharEnd("", 0), 0u);
    EXPECT_EQ(PrintLayout::firstCharLength("\xC3\xA9x"), 2u);
    EXPECT_EQ(PrintLayout::firstCharLength("\xFFx"), 1u);
    EXPECT_EQ(PrintLayout::firstCharLength(""), 0u);
    // An 8-bit code page steps one byte, whatever the bytes would be in UTF-8.
    EXPECT_EQ(PrintLayout::previousCharEnd("a\xC3\xA9", 3, TextEncoding::Windows1254), 2u);
    EXPECT_EQ(PrintLayout::firstCharLength("\xC3\xA9", TextEncoding::Iso8859_9), 1u);
}

struct TabCase {
    const char* name;
    std::string before; // drawn before the tab; 'i' is one unit wide, other bytes ten
    int expectedX;
};

class PrintLayoutTab : public testing::TestWithParam<TabCase> {};

TEST_P(PrintLayoutTab, MovesToTheStopGivenByTheTabFormula) {
    PageLayout page(1000, 1000); // T = 8 x 10 = 80
    page.layout.layOut(GetParam().before + "\t");
    EXPECT_EQ(page.layout.x(), GetParam().expectedX);
    page.layout.layOut("z");
    ASSERT_FALSE(page.device.drawn().empty());
    EXPECT_EQ(page.device.drawn().back().x, GetParam().expectedX);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, PrintLayoutTab,
    testing::Values(TabCase{"FromZero", "", 80}, TabCase{"FromOne", "i", 80},
                    TabCase{"FromTwoBeforeStop", "aaaaaaaiiiiiiii", 80},
                    TabCase{"FromOneBeforeStopSkipsAStop", "aaaaaaaiiiiiiiii", 160},
                    TabCase{"FromTheStop", "aaaaaaaa", 160},
                    TabCase{"FromOneBeforeSecondStop", "aaaaaaaaaaaaaaaiiiiiiiii", 240}),
    [](const testing::TestParamInfo<TabCase>& info) { return std::string(info.param.name); });

TEST(PrintLayout, PageEndAfterEmptyLinesComparesWithTheFullHeight) {
    // Empty lines advance by 12 and compare y > H: 60 stays on the page, 72 does not.
    PageLayout page(1000, 60);
    page.layout.layOut("\n\n\n\n\n");
    EXPECT_EQ(page.device.pages(), 1);
    EXPECT_EQ(page.layout.y(), 60);
    page.layout.layOut("\n");
    EXPECT_EQ(page.device.pages(), 2);
    EXPECT_EQ(page.layout.y(), 0);
    EXPECT_EQ(page.layout.lineHeight(), 0);

    // Text after empty lines: at 48 it ends at 60 and fits; at 60 it would end below the
    // printable area and begins the next page instead.
    page.layout.layOut("\n\n\n\nx\n\n\n\n\n\n\ty");
    const std::vector<DrawnRun> expected{{2, 0, 48, "x"}, {4, 80, 0, "y"}};
    EXPECT_EQ(page.device.drawn(), expected);
}

TEST(PrintChannel, HandsTextOverAtLineEndsBufferFullAndClose) {
    FakeTextDevice device(100000, 1000);
    PrintChannel channel(device);
    channel.open();
    channel.write("abc");
    EXPECT_TRUE(device.drawn().empty()); // still in the buffer
    channel.writeLineEnd();
    ASSERT_EQ(device.drawn().size(), 1u);
    EXPECT_EQ(device.drawn()[0].text, "abc");

    // 130 bytes: the first 128 are laid out when the buffer fills, as their own run.
    channel.write(std::string(130, 'x'));
    ASSERT_EQ(device.drawn().size(), 2u);
    EXPECT_EQ(device.drawn()[1], (DrawnRun{1, 0, 14, std::string(128, 'x')}));
    channel.close();
    ASSERT_EQ(device.drawn().size(), 3u);
    EXPECT_EQ(device.drawn()[2], (DrawnRun{1, 1280, 14, "xx"}));
    EXPECT_EQ(device.jobsEnded(), 1);
    EXPECT_FALSE(channel.isOpen());
}

TEST(PrintChannel, RunCutByTheBufferGoesOnAsASecondRunOnTheSameLine) {
    FakeTextDevice device(1295, 1000);
    PrintChannel channel(device);
    channel.open();
    channel.write(std::string(130, 'y')); // 1280 units, then "yy" of which one y still fits
    channel.close();
    const std::vector<DrawnRun> expected{
        {1, 0, 0, std::string(128, 'y')}, {1, 1280, 0, "y"}, {1, 0, 14, "y"}};
    EXPECT_EQ(device.drawn(), expected);
}

TEST(PrintChannel, CharacterCutByTheBufferIsDrawnWholeInUtf8Only) {
    // 127 bytes, then the two bytes of "ş" across the buffer's end.
    const std::string text = std::string(127, 'y') + "\xC5\x9Fz";
    FakeTextDevice utf8Device(100000, 1000);
    PrintChannel utf8(utf8Device, TextEncoding::Utf8);
    utf8.open();
    utf8.write(text);
    utf8.write("\xC4"); // cut short by the end of the text: still printed
    utf8.close();
    const std::vector<DrawnRun> whole{
        {1, 0, 0, std::string(127, 'y')}, {1, 1270, 0, "\xC5\x9Fz"}, {1, 1300, 0, "\xC4"}};
    EXPECT_EQ(utf8Device.drawn(), whole);

    // In an 8-bit code page every byte is a character of its own.
    FakeTextDevice bytesDevice(100000, 1000);
    PrintChannel bytes(bytesDevice, TextEncoding::Windows1254);
    bytes.open();
    bytes.write(text);
    bytes.close();
    const std::vector<DrawnRun> split{{1, 0, 0, std::string(127, 'y') + "\xC5"},
                                      {1, 1280, 0, "\x9Fz"}};
    EXPECT_EQ(bytesDevice.drawn(), split);
}

TEST(PrintChannel, FailedOpenLeavesNoJob) {
    FakeTextDevice device(100, 100);
    device.failToBegin();
    {
        PrintChannel channel(device);
        EXPECT_THROW(channel.open(), std::runtime_error);
        EXPECT_FALSE(channel.isOpen());
    }
    EXPECT_EQ(device.jobsEnded(), 0);
}

TEST(PrintChannel, DestroyingAnOpenChannelEndsTheJob) {
    FakeTextDevice device(100, 100);
    {
        PrintChannel channel(device);
        channel.open();
        channel.write("unflushed");
    }
    EXPECT_EQ(device.jobsEnded(), 1);
}

} // namespace
} // namespace tavlor::test
