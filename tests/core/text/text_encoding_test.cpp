#include "core/format/semicolon_reader.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"
#include "core/text/utf8.h"

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
        DetectCase{"CharacterSplitBySemicolon", "\xC5;\x9E", TextEncoding::Windows1254},
        // Real-looking 8-bit tables: what the bytes speak for, Windows-1254 when in doubt.
        DetectCase{"Turkish",
                   "\xDE"
                   "ehir;\xDDl\xE7"
                   "e;N\xFC"
                   "fus\r\nK\xFDr\xFE"
                   "ehir;Merkez;"
                   "235.000\r\n\xC7"
                   "ank\xFDr\xFD;Il\xF0"
                   "az;8.000\r\n",
                   TextEncoding::Windows1254},
        DetectCase{"German",
                   "Name;Stra\xDF"
                   "e;Ort\r\nM\xFCller;Hauptstra\xDF"
                   "e 5;K\xF6ln\r\n"
                   "B\xE4"
                   "cker;Gr\xFCner Weg;D\xFCsseldorf\r\n",
                   TextEncoding::Windows1252},
        DetectCase{"French",
                   "Nom;Plat\r\nH\xE9l\xE8ne;Cr\xE8me br\xFBl\xE9"
                   "e\r\nNo\xEBl;"
                   "P\xE2t\xE9 \xE0 emporter\r\n",
                   TextEncoding::Windows1252},
        DetectCase{"Iso15PriceList",
                   "Artikel;Preis\r\nK\xE4se;4,50 \xA4\r\nBrot;\xA4"
                   "2\r\n",
                   TextEncoding::Iso8859_15},
        DetectCase{"WindowsPriceList", "K\xE4se;4,50 \x80\r\nM\xFCsli;\xA4\r\n",
                   TextEncoding::Windows1254},
        DetectCase{"MixedTurkishAndGerman",
                   "M\xFCller;Stra\xDF"
                   "e;\xDE"
                   "i\xFEli;A\xF0r\xFD;"
                   "\x80 12\r\n",
                   TextEncoding::Windows1254},
        DetectCase{"CurrencySignInText",
                   "Zeichen;\xA4;Gr\xFC\xDF"
                   "e\r\n",
                   TextEncoding::Windows1254}),
    [](const testing::TestParamInfo<DetectCase>& info) { return std::string(info.param.name); });

// The character one byte stands for, and the byte of a character (-1 when it cannot be stored).
char16_t charOf(const TextCodec& codec, int byte) {
    return codec.decode(std::string(1, static_cast<char>(byte))).at(0);
}
int byteOf(const TextCodec& codec, char32_t character) {
    std::string out;
    const char16_t units[2] = {static_cast<char16_t>(character), 0};
    if (character >= 0x10000 || !codec.encode(std::u16string_view(units, 1), out))
        return -1;
    return out.size() == 1 ? static_cast<unsigned char>(out[0]) : -1;
}

TEST(TextCodec, EveryByteOrCodeUnitComesBack) {
    for (const TextEncoding encoding : kTextEncodings) {
        const TextCodec codec(encoding);
        if (codec.unitSize() == 1) {
            for (int byte = 0; byte < 256; ++byte) {
                const std::string bytes(1, static_cast<char>(byte));
                const std::u16string text = codec.decode(bytes);
                std::string back;
                EXPECT_EQ(text.size(), 1u) << encodingName(encoding) << " byte " << byte;
                EXPECT_TRUE(codec.encode(text, back) && back == bytes)
                    << encodingName(encoding) << " byte " << byte;
            }
            continue;
        }
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            std::string bytes;
            ASSERT_TRUE(codec.encode(std::u16string(1, static_cast<char16_t>(unit)), bytes));
            ASSERT_EQ(bytes.size(), 2u);
            EXPECT_EQ(codec.decode(bytes), std::u16string(1, static_cast<char16_t>(unit)))
                << encodingName(encoding) << " unit " << static_cast<unsigned>(unit);
        }
    }
}

TEST(TextCodec, Utf16ByteOrdersPairsAndOddBytes) {
    const TextCodec le(TextEncoding::Utf16Le);
    const TextCodec be(TextEncoding::Utf16Be);
    EXPECT_EQ(le.decode("a\0\x5F\x01"s), u"a\u015F");
    EXPECT_EQ(be.decode("\0a\x01\x5F"s), u"a\u015F");
    std::string out;
    EXPECT_TRUE(be.encode(u"\U0001F600", out));
    EXPECT_EQ(out, "\xD8\x3D\xDE\x00"s);
    EXPECT_EQ(be.decode(out), u"\U0001F600");
    // A lone surrogate is a unit like any other; an odd last byte stands for itself.
    EXPECT_EQ(le.decode("\x00\xD8x"s), u"\xD800\xDC78");
    EXPECT_FALSE(le.keepsAsciiBytes());
    EXPECT_EQ(le.firstUnheld(u"\u2192\u4E2D"), std::nullopt);
    // Character boundaries for printing: a pair is one character, a cut pair waits.
    EXPECT_EQ(be.firstCharLength(out), 4u);
    EXPECT_EQ(be.previousCharEnd("\0a"s + out, 6), 2u);
    EXPECT_EQ(be.incompleteTail("\0a\xD8\x3D"s), 2u);
    EXPECT_EQ(be.incompleteTail("\0a\xD8"s), 1u);
    EXPECT_EQ(TextCodec(TextEncoding::Utf16Le).toUtf8("\x5F\x01;\0"s), "\xC5\x9F;");
}

TEST(TextCodec, CharactersComeFromTheCodePage) {
    const TextCodec turkish(TextEncoding::Windows1254);
    // Ş ş İ ı Ğ ğ, the euro sign, and an undefined byte standing for itself.
    EXPECT_EQ(charOf(turkish, 0xDE), u'\u015E');
    EXPECT_EQ(charOf(turkish, 0xFE), u'\u015F');
    EXPECT_EQ(charOf(turkish, 0xDD), u'\u0130');
    EXPECT_EQ(charOf(turkish, 0xFD), u'\u0131');
    EXPECT_EQ(charOf(turkish, 0xD0), u'\u011E');
    EXPECT_EQ(charOf(turkish, 0xF0), u'\u011F');
    EXPECT_EQ(charOf(turkish, 0x80), u'\u20AC');
    EXPECT_EQ(charOf(turkish, 0x81), u'\xDC81');
    EXPECT_EQ(byteOf(turkish, U'\u2192'), -1); // →
    EXPECT_EQ(byteOf(turkish, U'\u4E2D'), -1); // 中
    EXPECT_EQ(byteOf(turkish, U'\xDCDE'), -1); // DE has a character, so this stands for nothing
    char32_t unheld = 0;
    std::string bytes;
    EXPECT_FALSE(turkish.encode(u"a\U0001F600", bytes, &unheld));
    EXPECT_EQ(static_cast<unsigned>(unheld), 0x1F600u);
    EXPECT_EQ(turkish.firstUnheld(u"\u015Fx\u2192"), std::optional<char32_t>(U'\u2192'));
    EXPECT_EQ(charOf(TextCodec(TextEncoding::Windows1252), 0xDE), u'\u00DE'); // Þ
    EXPECT_EQ(charOf(TextCodec(TextEncoding::Iso8859_9), 0xF0), u'\u011F');
    EXPECT_EQ(charOf(TextCodec(TextEncoding::Iso8859_15), 0xA4), u'\u20AC');
    EXPECT_EQ(charOf(TextCodec(TextEncoding::Iso8859_15), 0x81), u'\u0081');

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
    const auto marked = [](std::string_view text) {
        Sheet sheet;
        SemicolonReader reader(sheet);
        reader.feed(text);
        reader.finish();
        return reader.markedEncoding();
    };
    EXPECT_EQ(marked("\xFF\xFEW"), TextEncoding::Utf16Le);
    EXPECT_EQ(marked("\xFE\xFF"), TextEncoding::Utf16Be);
    EXPECT_EQ(marked("\xEF\xBB\xBF"), std::nullopt);
    EXPECT_EQ(marked("\xFF"), std::nullopt);
    EXPECT_EQ(TextCodec(TextEncoding::Utf16Be).byteOrderMark(), "\xFE\xFF");
    EXPECT_EQ(TextCodec(TextEncoding::Utf8).byteOrderMark(), "");
}

} // namespace
} // namespace tavlor::test
