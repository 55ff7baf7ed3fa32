#include "core/text_encoding.h"

#include "core/sheet.h"
#include "core/utf8.h"

#include <algorithm>
#include <iconv.h>
#include <stdexcept>

namespace tavlor {

namespace {

struct EncodingNames {
    TextEncoding encoding;
    std::string_view name;
    std::string_view languages;
    const char* iconvName;
};

constexpr EncodingNames kNames[] = {
    {TextEncoding::Utf8, "UTF-8", "", "UTF-8"},
    {TextEncoding::Windows1254, "Windows-1254", "Turkish", "CP1254"},
    {TextEncoding::Windows1252, "Windows-1252", "Western European", "CP1252"},
    {TextEncoding::Iso8859_9, "ISO-8859-9", "Turkish", "ISO-8859-9"},
    {TextEncoding::Iso8859_15, "ISO-8859-15", "Western European", "ISO-8859-15"},
};

const EncodingNames& namesOf(TextEncoding encoding) {
    for (const EncodingNames& names : kNames) {
        if (names.encoding == encoding)
            return names;
    }
    throw std::invalid_argument("unknown text encoding");
}

/** An iconv converter that is closed when it goes out of scope. */
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("no converter from ") + from);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { ::iconv_close(m_cd); }

    // The character of one byte, or nothing when the code page does not define it.
    bool convert(unsigned char byte, char32_t& character) {
        char in = static_cast<char>(byte);
        char32_t out = 0;
        char* inPtr = &in;
        std::size_t inLeft = 1;
        char* outPtr = reinterpret_cast<char*>(&out);
        std::size_t outLeft = sizeof out;
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            outLeft != 0)
            return false;
        character = out;
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string_view encodingName(TextEncoding encoding) {
    return namesOf(encoding).name;
}

std::string_view encodingLanguages(TextEncoding encoding) {
    return namesOf(encoding).languages;
}

TextEncoding detectEncoding(const Sheet& sheet) {
    for (int row = 1; row <= Sheet::kLastRow; ++row) {
        const std::string* cells = sheet.rowCells(row);
        for (int col = 1; col <= Sheet::kLastCol; ++col) {
            const std::string& text = cells[col];
            if (!isPlainAscii(text) && !isWellFormedUtf8(text))
                return TextEncoding::Windows1254;
        }
    }
    return TextEncoding::Utf8;
}

bool startsWithUtf16ByteOrderMark(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

TextCodec::TextCodec(TextEncoding encoding) : m_encoding(encoding) {
    if (isUtf8())
        return;
    Converter converter("UTF-32LE", namesOf(encoding).iconvName);
    for (int byte = 0; byte < 256; ++byte) {
        char32_t character = 0;
        const bool defined = converter.convert(static_cast<unsigned char>(byte), character) &&
                             character < 0x10000 && (character < 0xD800 || character > 0xDFFF);
        const auto index = static_cast<std::size_t>(byte);
        m_chars[index] = defined ? static_cast<char16_t>(character)
                                 : static_cast<char16_t>(kByteSurrogateBase + byte);
        m_bytes[index] = {m_chars[index], static_cast<unsigned char>(byte)};
    }
    std::sort(m_bytes.begin(), m_bytes.end());
}

int TextCodec::byteOf(char32_t character) const {
    if (character >= 0x10000)
        return -1;
    const auto c = static_cast<char16_t>(character);
    const auto at =
        std::lower_bound(m_bytes.begin(), m_bytes.end(), std::pair<char16_t, unsigned char>{c, 0});
    return at != m_bytes.end() && at->first == c ? at->second : -1;
}

std::string TextCodec::toUtf8(std::string_view bytes) const {
    if (isUtf8())
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        const char16_t c = m_chars[byte];
        if (c == kByteSurrogateBase + byte)
            out += b; // no character: the byte stays, and UTF-8 text shows it the same way
        else
            appendUtf8(out, c);
    }
    return out;
}

} // namespace tavlor
