#include "core/sheet/sheet.h"
#include "core/sheet/sheet_search.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tavlor::test {
namespace {

class SheetSearch : public testing::Test {
protected:
    SheetSearch() { sheet.writeHeaders(); }
    Sheet sheet;
};

TEST_F(SheetSearch, ComparesBytesCaseSensitively) {
    sheet.setCell(2, 3, "cat");
    EXPECT_EQ(findInSheet(sheet, "Cat"), std::nullopt);
    EXPECT_EQ(findInSheet(sheet, "at"), (CellPos{2, 3}));
    EXPECT_EQ(findInSheet(sheet, "cat"), (CellPos{2, 3}));
    EXPECT_EQ(findInSheet(sheet, "cats"), std::nullopt); // longer than every cell text
    EXPECT_EQ(findInSheet(sheet, "c*"), std::nullopt);   // no wildcards
}

TEST_F(SheetSearch, ReadsRowsBeforeColumnsAndAlwaysStartsAtA1) {
    sheet.setCell(1, 2, "x");
    sheet.setCell(3, 1, "x");
    EXPECT_EQ(findInSheet(sheet, "x"), (CellPos{3, 1}));
    EXPECT_EQ(findInSheet(sheet, "x"), (CellPos{3, 1})); // the same hit again, never the next one
    sheet.setCell(1, 1, "x");
    sheet.setCell(26, 9999, "x");
    EXPECT_EQ(findInSheet(sheet, "x"), (CellPos{1, 1}));
}

TEST_F(SheetSearch, FindsTheLastCell) {
    sheet.setCell(26, 9999, "end of sheet");
    EXPECT_EQ(findInSheet(sheet, "of"), (CellPos{26, 9999}));
}

TEST_F(SheetSearch, NeverLooksAtHeaders) {
    EXPECT_EQ(findInSheet(sheet, "5"), std::nullopt); // row numbers 5, 15, 50, ...
    EXPECT_EQ(findInSheet(sheet, "A"), std::nullopt); // column letters
    EXPECT_EQ(findInSheet(sheet, "B7"), std::nullopt);
    sheet.setCell(4, 8, "row 5");
    EXPECT_EQ(findInSheet(sheet, "5"), (CellPos{4, 8}));
}

TEST_F(SheetSearch, BlanksAndEmptyText) {
    sheet.setCell(5, 6, "   ");
    EXPECT_EQ(findInSheet(sheet, " "), (CellPos{5, 6}));
    EXPECT_EQ(findInSheet(sheet, ""), std::nullopt); // empty text finds nothing, not A1
}

TEST_F(SheetSearch, BytesBeyondAsciiAndControlCharacters) {
    sheet.setCell(1, 4, std::string("a\0b", 3));
    sheet.setCell(2, 4, "x\r\ny");
    sheet.setCell(3, 4, "\xFE\xFF");
    EXPECT_EQ(findInSheet(sheet, std::string("\0b", 2)), (CellPos{1, 4}));
    EXPECT_EQ(findInSheet(sheet, "\r\n"), (CellPos{2, 4}));
    EXPECT_EQ(findInSheet(sheet, "\xFF"), (CellPos{3, 4}));
    EXPECT_EQ(findInSheet(sheet, "\xFF\xFE"), std::nullopt);
    // UTF-16: a match starts on a character, not between the two bytes of one. In "aŌ"
    // (61 00 4C 01 in little-endian) the bytes 00 4C lie across two characters.
    sheet.setCell(4, 5, std::string("a\0\x4C\x01", 4));
    EXPECT_EQ(findInSheet(sheet, std::string("\0\x4C", 2), 2), std::nullopt);
    EXPECT_EQ(findInSheet(sheet, std::string("\x4C\x01", 2), 2), (CellPos{4, 5}));
    EXPECT_EQ(findInSheet(sheet, std::string("\0\x4C", 2), 1), (CellPos{4, 5}));
}

} // namespace
} // namespace tavlor::test
