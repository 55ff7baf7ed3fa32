#include "core/semicolon_reader.h"
#include "core/sheet.h"
#include "core/text_encoding.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlor::test {
namespace {

using namespace std::string_literals;

struct DetectCase {
    const char* name;
    std::string text;
    TextEncoding expected;
};

class DetectTable : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectTable, LoadedCellsGiveTheEncoding) {
    Sheet sheet;
    parseSemicolonText(GetParam().text, sheet);
    EXPECT_EQ(encodingName(detectEncoding(sheet)), encodingName(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DetectTable,
    testing::Values(
        DetectCase{"Empty", "", TextEncoding::Utf8},
        DetectCase{"Ascii", "name;city\r\nx;y\r\n", TextEncoding::Utf8},
        DetectCase{"Utf8", "\xC5\x9Ei\xC5\x9Fli;\xC4\xB0\xC4\x9Fne\r\n", TextEncoding::Utf8},
        DetectCase{"Utf8WithBom", "\xEF\xBB\xBFname;\xC3\xBC\r\n", TextEncoding::Utf8},
        DetectCase{"FourByteCharacter", "\xF0\x9F\x98\x80;", TextEncoding::Utf8},
        DetectCase{"Windows1254",
                   "\xDEi\xFEli;\xDD\xF0ne;\xC7"
                   "ay\r\n",
                   TextEncoding::Windows1254},
        DetectCase{"OnlyTheLastByteIsNotAscii", std::string(5000, 'a') + ";\xFE",
                   TextEncoding::Windows1254},
        DetectCase{"LastCharacterCutShort", "abc;\xC4", TextEncoding::Windows1254},
        DetectCase{"UndefinedByte", "a\x81z", TextEncoding::Windows1254},
        DetectCase{"HighByteInsideALongCell", std::string(9, 'a') + "\xFE" + std::string(9, 'a'),
                   TextEncoding::Windows1254},
        DetectCase{"OverlongForm", "\xC0\xAF", TextEncoding::Windows1254},
        DetectCase{"EncodedSurrogate", "\xED\xA0\x80", TextEncoding::Windows1254},
        // Cells hold what the reader split off: a character cut by a semicolon is broken.
        DetectCase{"CharacterSplitBySemicolon", "\xC5;\x9E", TextEncoding::Windows1254}),
    [](const testing::TestParamInfo<DetectCase>& info) { return std::string(info.param.name); });

TEST(TextCodec, EveryByteOfEveryCodePageComesBack) {
    for (const TextEncoding encoding : kTextEncodings) {
        if (encoding == TextEncoding::Utf8)
            continue;
        const TextCodec codec(encoding);
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t c = codec.charOf(static_cast<unsigned char>(byte));
            EXPECT_EQ(codec.byteOf(c), byte) << encodingName(encoding) << " byte " << byte;
        }
    }
}

TEST(TextCodec, CharactersComeFromTheCodePage) {
    const TextCodec turkish(TextEncoding::Windows1254);
    // Ş ş İ ı Ğ ğ, the euro sign, and an undefined byte standing for itself.
    EXPECT_EQ(turkish.charOf(0xDE), u'\u015E');
    EXPECT_EQ(turkish.charOf(0xFE), u'\u015F');
    EXPECT_EQ(turkish.charOf(0xDD), u'\u0130');
    EXPECT_EQ(turkish.charOf(0xFD), u'\u0131');
    EXPECT_EQ(turkish.charOf(0xD0), u'\u011E');
    EXPECT_EQ(turkish.charOf(0xF0), u'\u011F');
    EXPECT_EQ(turkish.charOf(0x80), u'\u20AC');
    EXPECT_EQ(turkish.charOf(0x81), u'\xDC81');
    EXPECT_EQ(turkish.byteOf(U'\u2192'), -1); // →
    EXPECT_EQ(turkish.byteOf(U'\u4E2D'), -1); // 中
    EXPECT_EQ(turkish.byteOf(U'\xDCDE'), -1); // DE has a character, so this stands for nothing
    EXPECT_EQ(TextCodec(TextEncoding::Windows1252).charOf(0xDE), u'\u00DE'); // Þ
    EXPECT_EQ(TextCodec(TextEncoding::Iso8859_9).charOf(0xF0), u'\u011F');
    EXPECT_EQ(TextCodec(TextEncoding::Iso8859_15).charOf(0xA4), u'\u20AC');
    EXPECT_EQ(TextCodec(TextEncoding::Iso8859_15).charOf(0x81), u'\u0081');

    // The same text in UTF-8; a byte without a character stays itself.
    EXPECT_EQ(turkish.toUtf8("\xDEi\xFEli \x81"), "\xC5\x9Ei\xC5\x9Fli \x81");
    EXPECT_EQ(TextCodec().toUtf8("\xC5\x9E\x81"), "\xC5\x9E\x81");
}

TEST(Utf8, CharactersCutAtTheEnd) {
    EXPECT_EQ(incompleteUtf8Tail(""), 0u);
    EXPECT_EQ(incompleteUtf8Tail("ab"), 0u);
    EXPECT_EQ(incompleteUtf8Tail("a\xC5"), 1u);
    EXPECT_EQ(incompleteUtf8Tail("a\xE2\x82"), 2u);
    EXPECT_EQ(incompleteUtf8Tail("\xF0\x9F\x98"), 3u);
    EXPECT_EQ(incompleteUtf8Tail("a\xC5\x9F"), 0u); // whole
    EXPECT_EQ(incompleteUtf8Tail("a\xE0\x80"), 0u); // overlong: never a character
    EXPECT_EQ(incompleteUtf8Tail("\x80\x80\x80"), 0u);
    EXPECT_EQ(incompleteUtf8Tail("a\xFF"), 0u);
}

TEST(TextEncoding, Utf16ByteOrderMarks) {
    EXPECT_TRUE(startsWithUtf16ByteOrderMark("\xFF\xFEW"));
    EXPECT_TRUE(startsWithUtf16ByteOrderMark("\xFE\xFF"));
    EXPECT_FALSE(startsWithUtf16ByteOrderMark("\xEF\xBB\xBF"));
    EXPECT_FALSE(startsWithUtf16ByteOrderMark("\xFF"));
}

} // namespace
} // namespace tavlor::test
