#include "core/format/semicolon_reader.h"
#include "core/format/semicolon_writer.h"
#include "core/sheet/sheet.h"
#include "core/sheet/split_cell_hint.h"
#include "core/text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlor::test {

namespace {

// The non-empty data cells as "A1=x" entries in content order, for compact expectations.
std::string cellsOf(const Sheet& sheet) {
    std::string listing;
    for (int r = 1; r <= Sheet::kLastRow; ++r)
        for (int c = 1; c <= Sheet::kLastCol; ++c)
            if (!sheet.cell(c, r).empty()) {
                if (!listing.empty())
                    listing += ' ';
                listing += std::string(1, static_cast<char>('A' + c - 1)) + std::to_string(r) +
                           "=" + sheet.cell(c, r);
            }
    return listing;
}

std::string parsed(const std::string& text) {
    Sheet sheet;
    parseSemicolonText(text, sheet);
    return cellsOf(sheet);
}

std::string written(Sheet& sheet) {
    sheet.Genislik();
    return semicolonText(sheet);
}

struct ParseCase {
    const char* name;
    std::string text;
    std::string cells;
};

class ParseTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, FillsTheExpectedCells) {
    EXPECT_EQ(parsed(GetParam().text), GetParam().cells);
    // Fed one byte at a time, the reader must give the same cells.
    Sheet sheet;
    SemicolonReader reader(sheet);
    for (char byte : GetParam().text)
        reader.feed(std::string_view(&byte, 1));
    reader.finish();
    EXPECT_EQ(cellsOf(sheet), GetParam().cells);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    SemicolonText, ParseTable,
    testing::Values(
        ParseCase{"Empty", "", ""}, ParseCase{"SingleX", "x", "A1=x"},
        ParseCase{"TwoPieces", "a;b", "A1=a B1=b"},
        ParseCase{"TrailingSemicolon", "a;b;", "A1=a B1=b"},
        ParseCase{"LeadingEmptyPieces", ";;x", "C1=x"},
        ParseCase{"CrLf", "a\r\nb\r\n", "A1=a A2=b"}, ParseCase{"LoneLf", "a\nb\n", "A1=a A2=b"},
        ParseCase{"LoneCr", "a\rb\r", "A1=a A2=b"},
        ParseCase{"LfCrIsTwoEnds", "a\n\rb", "A1=a A3=b"},
        ParseCase{"CrCrLfIsTwoEnds", "a\r\r\nb", "A1=a A3=b"},
        ParseCase{"CrLfCrLfGivesEmptySecondLine", "a\r\n\r\nb", "A1=a A3=b"},
        ParseCase{"NoFinalLineEnd", "a;\r\nb;c", "A1=a A2=b B2=c"},
        ParseCase{"EmptyAndSemicolonLinesKeepRowNumbers", "a\r\n\r\n;;;\r\nd", "A1=a A4=d"},
        ParseCase{"BlanksAreKept", " a ;  ;\t", "A1= a  B1=   C1=\t"},
        ParseCase{"NulInThirdLine",
                  "1\r\n2\r\n3a\0"
                  "3b;x\r\n4\r\n"s,
                  "A1=1 A2=2 A3=3a"},
        ParseCase{"NulFirst", "\0abc"s, ""},
        ParseCase{"Utf8BomKept", "\xEF\xBB\xBFx;y\r\n", "A1=\xEF\xBB\xBFx B1=y"},
        ParseCase{"Utf16LittleEndian", "\xFF\xFEh\0i\0;\0"s, "A1=h\0i\0"s},
        // UTF-16 is split by its characters: Ċ, 〻 and č hold the bytes of LF,
        // ";" and CR; a NUL character ends the text.
        ParseCase{"Utf16BigEndianLinesAndNul", "\xFE\xFF\0a\0;\0b\0\r\0\n\0c\0\n\0\r\0d\0\0\0e"s,
                  "A1=\0a B1=\0b A2=\0c A4=\0d"s},
        ParseCase{"Utf16UnitsLikeSeparators", "\xFF\xFE\x0A\x01\x3B\x30\x0D\x01;\0"s,
                  "A1=\x0A\x01\x3B\x30\x0D\x01"},
        ParseCase{"Utf16LoneSurrogateAndOddByte", "\xFF\xFE\x00\xD8;\0b"s, "A1=\x00\xD8"s},
        ParseCase{"Utf16MarkOnly", "\xFE\xFF", ""},
        ParseCase{"MarkLaterIsText", "x;\xFF\xFE;", "A1=x B1=\xFF\xFE"},
        ParseCase{"HighBytes", "\x80\xFF;\xC3\xA9", "A1=\x80\xFF B1=\xC3\xA9"},
        ParseCase{"ColumnZIsTheLast", std::string(25, ';') + "z;beyond;", "Z1=z"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

} // namespace

TEST(SemicolonWriter, TheThreeExampleSheets) {
    Sheet empty;
    EXPECT_EQ(written(empty), ";\r\n");

    Sheet b2;
    b2.setCell(2, 2, "x");
    EXPECT_EQ(written(b2), ";;\r\n;x;\r\n");

    Sheet three;
    three.setCell(1, 1, "x");
    three.setCell(3, 1, "y");
    three.setCell(1, 3, "z");
    EXPECT_EQ(written(three), "x;;y;\r\n;;;\r\nz;;;\r\n");
}

TEST(SemicolonWriter, UsesTheExtentOfTheLastGenislik) {
    Sheet sheet;
    sheet.setCell(1, 1, "a");
    sheet.Genislik();
    sheet.setCell(3, 3, "late"); // no Genislik since: stays outside the written block
    EXPECT_EQ(semicolonText(sheet), "a;\r\n");
}

TEST(SemicolonRoundTrip, LastCellZ9999) {
    Sheet sheet;
    sheet.setCell(26, 9999, "end");
    const std::string text = written(sheet);
    const std::string blankLine = std::string(26, ';') + "\r\n";
    ASSERT_EQ(text.size(), 9998 * blankLine.size() + 3 + blankLine.size());
    EXPECT_EQ(text.substr(0, blankLine.size()), blankLine);
    EXPECT_EQ(text.substr(text.size() - 31), std::string(25, ';') + "end;\r\n");
    Sheet back;
    const LoadReport report = parseSemicolonText(text, back);
    EXPECT_EQ(cellsOf(back), "Z9999=end");
    EXPECT_FALSE(report.lostSomething()); // the empty 27th piece of every line is no loss
}

TEST(SemicolonRoundTrip, SemicolonAndLineBreaksInsideCells) {
    Sheet sheet;
    sheet.setCell(1, 1, "1;2");
    EXPECT_EQ(written(sheet), "1;2;\r\n");
    EXPECT_EQ(parsed(written(sheet)), "A1=1 B1=2");

    Sheet lines;
    lines.setCell(1, 1, "p\r\nq");
    lines.setCell(2, 1, "r");
    EXPECT_EQ(written(lines), "p\r\nq;r;\r\n");
    EXPECT_EQ(parsed(written(lines)), "A1=p A2=q B2=r");
}

TEST(SemicolonRoundTrip, EveryByteButSeparatorsSurvives) {
    Sheet sheet;
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != ';' && b != '\r' && b != '\n')
            all += static_cast<char>(b);
    sheet.setCell(1, 1, all);
    sheet.setCell(2, 2, "  padded  ");
    Sheet back;
    parseSemicolonText(written(sheet), back);
    EXPECT_EQ(back.cell(1, 1), all);
    EXPECT_EQ(back.cell(2, 2), "  padded  ");
    EXPECT_EQ(back.contentText(), sheet.contentText());
}

TEST(SemicolonRoundTrip, Utf16FilesComeBackByteForByte) {
    // Canonical files (every line as long, CR LF after each): a pair, a lone surrogate, č.
    const std::string little = "\xFF\xFE"
                               "a\0;\0\x3D\xD8\x00\xDE;\0\r\0\n\0"
                               "\x00\xDC;\0\x0D\x01;\0\r\0\n\0"s;
    const std::string big = "\xFE\xFF\0;\0\r\0\n\0x\0;\0\r\0\n"s;
    for (const auto& [text, encoding] :
         {std::pair{little, TextEncoding::Utf16Le}, std::pair{big, TextEncoding::Utf16Be}}) {
        Sheet sheet;
        SemicolonReader reader(sheet);
        reader.feed(text);
        reader.finish();
        EXPECT_EQ(reader.markedEncoding(), encoding);
        sheet.Genislik();
        EXPECT_EQ(semicolonText(sheet, TextCodec(encoding)), text);
    }
    Sheet empty;
    EXPECT_EQ(written(empty), ";\r\n");
    EXPECT_EQ(semicolonText(empty, TextCodec(TextEncoding::Utf16Be)), "\xFE\xFF\0;\0\r\0\n"s);
}

TEST(SemicolonRoundTrip, CellsThatReadBackSplitAreNamedWithTheReason) {
    EXPECT_EQ(splitCellHint("B2", "1;2"), "B2 will load split: file has no quoting");
    EXPECT_EQ(splitCellHint("A1", "p\rq"), "A1 will load split: file has no quoting");
    EXPECT_EQ(splitCellHint("H17", "line1\nline2"), "H17 will load split: file has no quoting");
    EXPECT_EQ(splitCellHint("Z9", "plain text, \t and all"), "");
}

TEST(LoadReport, CountsWhatDoesNotFit) {
    Sheet sheet;
    std::string text;
    for (int line = 1; line <= 10002; ++line)
        text += std::to_string(line) + "\n";
    text += std::string(26, ';') + "27;28;;\n"; // line 10003: beyond, so its cells are not counted
    LoadReport report = parseSemicolonText(text, sheet);
    EXPECT_EQ(sheet.cell(1, 9999), "9999");
    EXPECT_EQ(report.linesBeyondLastRow, 4u);
    EXPECT_EQ(report.cellsBeyondLastColumn, 0u);
    EXPECT_FALSE(report.textAfterNulIgnored);
    EXPECT_TRUE(report.lostSomething());
    EXPECT_NE(report.message().find("4 lines after row 9999"), std::string::npos);

    Sheet wide;
    report = parseSemicolonText(
        std::string(26, ';') + "27;;29\r\n" + std::string(30, ';') + "\r\nok\0rest"s, wide);
    EXPECT_EQ(report.cellsBeyondLastColumn, 2u);
    EXPECT_EQ(report.linesBeyondLastRow, 0u);
    EXPECT_TRUE(report.textAfterNulIgnored);
    EXPECT_EQ(cellsOf(wide), "A3=ok");
    const std::string message = report.message();
    EXPECT_NE(message.find("2 non-empty cells after column Z"), std::string::npos);
    EXPECT_NE(message.find("NUL"), std::string::npos);
    // UTF-16 cut one byte into a character: the half is told, not kept (see the table).
    Sheet cut;
    report = parseSemicolonText("\xFF\xFE" "a\0b"s, cut);
    EXPECT_NE(report.message().find("half of a UTF-16 character"), std::string::npos);

    Sheet fits;
    report = parseSemicolonText("a;b;\r\n", fits);
    EXPECT_FALSE(report.lostSomething());
    EXPECT_EQ(report.message(), "");
}

TEST(LoadReport, ALineOfMoreThanTwoToThe31SemicolonsStaysInsideTheSheet) {
    // Fed in chunks, as a file over 2 GiB would be: the piece count must not wrap round into the
    // sheet's columns.
    Sheet sheet;
    SemicolonReader reader(sheet);
    reader.feed("a;");
    const std::string chunk(std::size_t{1} << 20, ';');
    for (int i = 0; i < 2048; ++i)
        reader.feed(chunk);
    reader.feed("z;y;\r\nb;");
    reader.finish();
    EXPECT_EQ(cellsOf(sheet), "A1=a A2=b");
    EXPECT_EQ(reader.report().cellsBeyondLastColumn, 2u);
}

} // namespace tavlor::test
