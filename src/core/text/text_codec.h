#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlor {

/** How a document's cell bytes are read as text: UTF-8, one 8-bit code page, or UTF-16. */
enum class TextEncoding { Utf8, Windows1254, Windows1252, Iso8859_9, Iso8859_15, Utf16Le, Utf16Be };

class CodecKind;

/** Maps cell bytes to text (UTF-16 code units) and back in one encoding. Bytes that are not text
 *  in the encoding become the lone surrogate U+DC00 + byte, and such a surrogate becomes its byte
 *  again, so every byte survives the way to text and back. The work is done by one kind of
 *  mapping per family: UTF-8, an 8-bit code page's table, UTF-16 in either byte order. */
class TextCodec {
public:
    /** The lone surrogates U+DC00..U+DCFF stand for bytes that have no character. */
    static constexpr char16_t kByteSurrogateBase = 0xDC00;

    /** Throws std::runtime_error when the system has no converter for a code page. */
    explicit TextCodec(TextEncoding encoding = TextEncoding::Utf8);

    TextEncoding encoding() const { return m_encoding; }
    bool isUtf8() const { return m_encoding == TextEncoding::Utf8; }
    /** Plain ASCII text is its own bytes (UTF-8 and the 8-bit code pages; not UTF-16). */
    bool keepsAsciiBytes() const;
    /** The bytes that start a file in this encoding and are no part of its text (UTF-16's
     *  byte-order mark); empty for the others. */
    std::string_view byteOrderMark() const { return byteOrderMarkOf(m_encoding); }
    static std::string_view byteOrderMarkOf(TextEncoding encoding);
    /** Bytes per code unit: a character starts only at a multiple of it (1, or 2 in UTF-16). */
    std::size_t unitSize() const;

    /** Writes the text of bytes to out, which has room for bytes.size() units; returns how many
     *  units it wrote (never more than bytes.size()). */
    std::size_t decode(std::string_view bytes, char16_t* out) const;
    std::u16string decode(std::string_view bytes) const;
    /** Appends the bytes of text to out. False, with *unheld (when given) set to the character,
     *  when the encoding cannot hold one of its characters; out then holds the bytes before it. */
    bool encode(std::u16string_view text, std::string& out, char32_t* unheld = nullptr) const;
    /** The first character of text the encoding cannot hold; nothing when it holds them all. */
    std::optional<char32_t> firstUnheld(std::u16string_view text) const;
    /** True when the encoding can hold character (bytes without a character always can). */
    bool holds(char32_t character) const;

    /** The same text as UTF-8 bytes (bytes without a character stay as they are); UTF-8 text is
     *  returned unchanged. */
    std::string toUtf8(std::string_view bytes) const;

    /** Byte length of the first whole character of bytes (0 for none). */
    std::size_t firstCharLength(std::string_view bytes) const;
    /** Byte length of the longest run of whole characters of bytes[0..end) shorter than end. */
    std::size_t previousCharEnd(std::string_view bytes, std::size_t end) const;
    /** Bytes at the end of bytes that begin a character the text cuts short (0 when none). */
    std::size_t incompleteTail(std::string_view bytes) const;

private:
    TextEncoding m_encoding;
    std::shared_ptr<const CodecKind> m_kind; // immutable, shared by copies
};

/** The UTF-8 codec, for the system's texts: file names, messages, captions. */
const TextCodec& utf8Codec();

} // namespace tavlor
