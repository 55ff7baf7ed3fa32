#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace tavlor {

class Sheet;

/** How a document's cell bytes are read as text: UTF-8 or one 8-bit code page. */
enum class TextEncoding { Utf8, Windows1254, Windows1252, Iso8859_9, Iso8859_15 };

/** Every encoding a document can have, in the order the program offers them. */
inline constexpr std::array<TextEncoding, 5> kTextEncodings = {
    TextEncoding::Utf8, TextEncoding::Windows1254, TextEncoding::Windows1252,
    TextEncoding::Iso8859_9, TextEncoding::Iso8859_15};

/** The encoding's usual name, e.g. "Windows-1254". */
std::string_view encodingName(TextEncoding encoding);
/** The languages it serves, e.g. "Turkish"; empty for UTF-8, which serves all. */
std::string_view encodingLanguages(TextEncoding encoding);

/** UTF-8 when every data cell is well-formed UTF-8 (plain ASCII is), else Windows-1254, the
 *  8-bit code page of the tables this program meets. */
TextEncoding detectEncoding(const Sheet& sheet);

/** True when text starts with a UTF-16 byte-order mark (FF FE or FE FF). */
bool startsWithUtf16ByteOrderMark(std::string_view text);

/** Maps cell bytes to characters and back in one encoding. For an 8-bit code page the mapping
 *  comes from the system's iconv; a byte the code page leaves undefined stands for the lone
 *  surrogate U+DC00 + byte, as an ill-formed byte does in UTF-8 text, so every byte survives the
 *  way to text and back. */
class TextCodec {
public:
    /** The lone surrogates U+DC80..U+DCFF stand for bytes that have no character. */
    static constexpr char16_t kByteSurrogateBase = 0xDC00;

    /** Throws std::runtime_error when the system has no converter for the code page. */
    explicit TextCodec(TextEncoding encoding = TextEncoding::Utf8);

    TextEncoding encoding() const { return m_encoding; }
    bool isUtf8() const { return m_encoding == TextEncoding::Utf8; }

    /** 8-bit code pages only: the character of byte. */
    char16_t charOf(unsigned char byte) const { return m_chars[byte]; }
    /** 8-bit code pages only: the byte of character, or -1 when the code page cannot hold it. */
    int byteOf(char32_t character) const;

    /** The same text as UTF-8 bytes (bytes without a character stay as they are); UTF-8 text is
     *  returned unchanged. */
    std::string toUtf8(std::string_view bytes) const;

private:
    TextEncoding m_encoding;
    std::array<char16_t, 256> m_chars{};
    std::array<std::pair<char16_t, unsigned char>, 256> m_bytes{}; // by character, for byteOf
};

} // namespace tavlor
