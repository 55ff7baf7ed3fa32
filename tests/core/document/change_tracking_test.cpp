#include "core/document/sheet_document.h"
#include "core/format/semicolon_reader.h"

#include "support/sweep_oracle.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavlor::test {

namespace {

// Runs one change check with the flag cleared first, so the flag tells whether it saw a change.
bool checkSeesChange(SheetDocument& document) {
    document.markUnmodified();
    document.changeCheck();
    return document.isModified();
}

} // namespace

TEST(ChangeCheck, FlagIsStickyUntilMarkedUnmodified) {
    SheetDocument document;
    document.changeCheck();
    EXPECT_FALSE(document.isModified());
    document.sheet().setCell(2, 2, "x");
    document.changeCheck();
    EXPECT_TRUE(document.isModified());
    document.sheet().setCell(2, 2, ""); // typed back: still modified
    document.changeCheck();
    EXPECT_TRUE(document.isModified());
    document.markUnmodified();
    EXPECT_FALSE(document.isModified());
    document.changeCheck(); // the last check already took "" as its snapshot
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.changeChecks(), 4u);
}

// One step of a script: cells written, then a change check that sees a change or not.
struct Write {
    int col;
    int row;
    const char* text;
};
struct Step {
    std::vector<Write> writes;
    bool seen;
};
struct ScriptCase {
    const char* name;
    std::vector<Step> steps;
};

class ChangeCheckScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(ChangeCheckScript, SeesWhatTheRowSays) {
    SheetDocument document;
    for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step& step = GetParam().steps[i];
        for (const Write& write : step.writes)
            document.sheet().setCell(write.col, write.row, write.text);
        EXPECT_EQ(checkSeesChange(document), step.seen) << "step " << i + 1;
    }
}

// clang-format off
const ScriptCase kScriptCases[] = {
    {"TextMovedAcrossACellBoundaryIsNotSeen", {
        {{{3, 4, "ab"}}, true},
        {{{3, 4, "a"}, {4, 4, "b"}}, false},
        // Across the end of a row too: Z4 and A5 are neighbours in the joined text.
        {{{26, 4, "xy"}}, true},
        {{{26, 4, "x"}, {1, 5, "y"}}, false},
        // Same length, different bytes: seen.
        {{{1, 5, "z"}}, true}}},
    {"FarApartEditsThatCancelOutAreNotSeen", {
        {{{1, 1, "aaaa"}, {26, 9999, "b"}, {13, 5000, "middle"}}, true},
        // Shift one byte from A1 to Z9999 through the unchanged middle: the joined text changes.
        {{{1, 1, "aaa"}, {26, 9999, "bb"}}, true},
        // Write and restore without a check in between: nothing to see.
        {{{13, 5000, "other!"}, {13, 5000, "middle"}}, false},
        // "aaa" + ... and the cells around "middle": "mid" moves into the cell before it.
        {{{12, 5000, "mid"}, {13, 5000, "dle"}}, false}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, ChangeCheckScript, testing::ValuesIn(kScriptCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ChangeCheck, SnapshotTakeAndReset) {
    SheetDocument document;
    document.sheet().setCell(1, 1, "loaded");
    document.takeSnapshot();
    EXPECT_FALSE(checkSeesChange(document));
    document.resetSnapshot(); // snapshot is the empty text, the sheet is not empty
    EXPECT_TRUE(checkSeesChange(document));
    EXPECT_FALSE(checkSeesChange(document));
    document.sheet().clearData();
    EXPECT_TRUE(checkSeesChange(document));
    document.resetSnapshot();
    EXPECT_FALSE(checkSeesChange(document));
}

TEST(ChangeCheck, CellsFilledByTheReaderAreSeen) {
    SheetDocument document;
    document.changeCheck(); // the snapshot is now the (empty) content, recorded from here on
    parseSemicolonText("a;b\r\n", document.sheet());
    EXPECT_TRUE(checkSeesChange(document));
    document.sheet().setCell(1, 1, "");
    document.sheet().setCell(2, 1, "");
    parseSemicolonText("ab", document.sheet());
    EXPECT_FALSE(checkSeesChange(document)); // "a" "b" became "ab" ""
    EXPECT_EQ(document.sheet().contentLength(), 2u);
}

// Random writes, loads and clears against the sweeping reference, step by step.
TEST(ChangeCheck, MatchesTheSweepingReferenceOnRandomEdits) {
    TempFolder folder;
    SheetDocument document;
    Sheet& sheet = document.sheet();
    sheet.writeHeaders();
    SweepOracle oracle;
    std::mt19937 random(20261207);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto randomText = [&]() -> std::string {
        switch (pick(0, 9)) {
        case 0:
        case 1:
            return "";
        case 2:
            return std::string(static_cast<std::size_t>(pick(1, 3)), ' ');
        case 3: {
            std::string high;
            for (int i = pick(1, 4); i > 0; --i)
                high += static_cast<char>(pick(0x80, 0xFF));
            return high;
        }
        case 4:
            return std::string(static_cast<std::size_t>(pick(200, 3000)),
                               static_cast<char>(pick('a', 'b')));
        case 5:
            return "\r\n";
        default: { // short texts over a tiny alphabet, so joined texts often coincide
            std::string text;
            for (int i = pick(1, 3); i > 0; --i)
                text += static_cast<char>(pick('a', 'b'));
            return text;
        }
        }
    };
    auto randomCell = [&]() -> std::pair<int, int> {
        switch (pick(0, 9)) {
        case 0:
            return {pick(1, 26), pick(1, 9999)};
        case 1:
            return {pick(24, 26), pick(9997, 9999)};
        default:
            return {pick(1, 4), pick(1, 3)};
        }
    };

    int writes = 0;
    int unseenChanges = 0;
    for (int step = 0; step < 2000; ++step) {
        const int action = pick(0, 99);
        if (action < 80) {
            for (int n = pick(1, 3); n > 0; --n, ++writes) {
                const auto [c, r] = randomCell();
                sheet.setCell(c, r, randomText());
            }
        } else if (action < 88) {
            // Move text across a cell boundary (possibly the end of a row).
            auto [c, r] = randomCell();
            if (c == 26 && r == 9999)
                c = 25;
            const int c2 = c == 26 ? 1 : c + 1;
            const int r2 = c == 26 ? r + 1 : r;
            const std::string joined =
                sheet.cell(c, r) + sheet.cell(c2, r2) + (pick(0, 1) == 0 ? "ab" : "");
            const auto cut = static_cast<std::size_t>(pick(0, static_cast<int>(joined.size())));
            sheet.setCell(c, r, joined.substr(0, cut));
            sheet.setCell(c2, r2, joined.substr(cut));
            writes += 2;
        } else if (action < 91) {
            document.Sil();
            oracle.resetSnapshot();
        } else if (action < 94) {
            std::string file;
            for (int n = pick(0, 6); n > 0; --n)
                file += randomText() + (pick(0, 2) == 0 ? "\n" : ";");
            folder.write("random.csv", file);
            document.Ac(folder.file("random.csv"));
            oracle.takeSnapshot(sheet);
        } else if (action < 96) {
            document.takeSnapshot();
            oracle.takeSnapshot(sheet);
        } else if (action < 97) {
            document.resetSnapshot();
            oracle.resetSnapshot();
        }
        document.Genislik();
        const SweepOracle::Extent extent = SweepOracle::extent(sheet);
        ASSERT_EQ(sheet.MaxRow(), extent.maxRow) << "step " << step;
        ASSERT_EQ(sheet.MaxCol(), extent.maxCol) << "step " << step;
        ASSERT_EQ(sheet.totalsText(), "Total Rows:" + std::to_string(extent.maxRow) +
                                          " Total Cols:" + std::to_string(extent.maxCol));
        if (pick(0, 3) != 0) { // sometimes let writes pile up before the next check
            const bool expected = oracle.changeCheck(sheet);
            ASSERT_EQ(sheet.contentLength(), oracle.snapshot().size()) << "step " << step;
            ASSERT_EQ(checkSeesChange(document), expected) << "step " << step;
            if (!expected)
                ++unseenChanges;
        }
    }
    EXPECT_GT(writes, 3000);
    EXPECT_GT(unseenChanges, 100); // the no-change answers were exercised as well
    EXPECT_EQ(sheet.contentText(), SweepOracle::content(sheet));
}

} // namespace tavlor::test
