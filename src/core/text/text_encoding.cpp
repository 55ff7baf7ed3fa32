#include "core/text/text_encoding.h"

#include "core/sheet/sheet.h"
#include "core/text/encoding_table.h"
#include "core/text/utf8.h"

#include <array>
namespace tavlor {

std::string_view encodingName(TextEncoding encoding) {
    return encodingRow(encoding).name;
}

std::string_view encodingLanguages(TextEncoding encoding) {
    return encodingRow(encoding).languages;
}

namespace {

// What a byte says about the 8-bit code page of a text that is not UTF-8.
enum class Hint : unsigned char {
    None,
    TurkishLetter,      // Ğ ğ İ ı Ş ş: Windows-1254 or ISO-8859-9 (the same text there)
    WesternLetter,      // a letter of Western European languages that Turkish does not use
    WindowsOnly,        // 0x80..0x9F: characters of a Windows code page, controls in ISO-8859
    EuroIfBesideNumber, // 0xA4: "€" in ISO-8859-15, "¤" elsewhere
    Iso15IfInWord,      // Š š Œ œ of ISO-8859-15, "¦ ¨ ¼ ½" elsewhere
};

constexpr std::array<Hint, 256> kHints = [] {
    std::array<Hint, 256> hints{};
    for (int b = 0x80; b <= 0x9F; ++b)
        hints[b] = Hint::WindowsOnly;
    // À Á Ã Ä Å Æ È É Ê Ë Ì Í Ï Ñ Ò Ó Õ Ø Ù Ú ß and their small forms (Turkish shares Ç Ö Ü Â Î Û).
    for (const int b : {0xC0, 0xC1, 0xC3, 0xC4, 0xC5, 0xC6, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC,
                        0xCD, 0xCF, 0xD1, 0xD2, 0xD3, 0xD5, 0xD8, 0xD9, 0xDA, 0xDF}) {
        hints[b] = Hint::WesternLetter;
        if (b != 0xDF)
            hints[b + 0x20] = Hint::WesternLetter;
    }
    for (const int b : {0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE})
        hints[b] = Hint::TurkishLetter;
    hints[0xA4] = Hint::EuroIfBesideNumber;
    for (const int b : {0xA6, 0xA8, 0xBC, 0xBD})
        hints[b] = Hint::Iso15IfInWord;
    return hints;
}();

bool isDigit(int byte) {
    return byte >= '0' && byte <= '9';
}

bool isAsciiLetter(int byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

struct Evidence {
    int turkish = 0;
    int western = 0;
    int windowsOnly = 0;
    int iso15 = 0;

    void add(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int before = i > 0 ? static_cast<unsigned char>(text[i - 1]) : -1;
            const int after = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : -1;
            switch (kHints[static_cast<unsigned char>(text[i])]) {
            case Hint::None:
                break;
            case Hint::TurkishLetter:
                ++turkish;
                break;
            case Hint::WesternLetter:
                ++western;
                break;
            case Hint::WindowsOnly:
                ++windowsOnly;
                break;
            case Hint::EuroIfBesideNumber:
                if (isDigit(before) || before == ' ' || isDigit(after))
                    ++iso15;
                break;
            case Hint::Iso15IfInWord:
                if (isAsciiLetter(before) || isAsciiLetter(after))
                    ++iso15;
                break;
            }
        }
    }

    // Windows-1254, the program's own code page, unless the bytes clearly say otherwise.
    TextEncoding guess() const {
        if (turkish > 0)
            return TextEncoding::Windows1254; // it holds the Western letters too
        if (iso15 > 0 && windowsOnly == 0)
            return TextEncoding::Iso8859_15;
        if (western >= 2)
            return TextEncoding::Windows1252;
        return TextEncoding::Windows1254;
    }
};

} // namespace

// Calls each(text) for every data cell that is not plain ASCII while it answers true; false when
// one answered false.
template <typename Each> bool eachNonAsciiCell(const Sheet& sheet, Each each) {
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        const std::string* cells = sheet.rowCells(row);
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            if (!isPlainAscii(cells[col]) && !each(cells[col]))
                return false;
        }
    }
    return true;
}

TextEncoding detectEncoding(const Sheet& sheet) {
    if (eachNonAsciiCell(sheet, [](const std::string& text) { return isWellFormedUtf8(text); }))
        return TextEncoding::Utf8;
    Evidence evidence;
    eachNonAsciiCell(sheet, [&evidence](const std::string& text) {
        evidence.add(text);
        return true;
    });
    return evidence.guess();
}

} // namespace tavlor
