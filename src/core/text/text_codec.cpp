#include "core/text/text_codec.h"

#include "core/text/codec_kinds.h"
#include "core/text/encoding_table.h"

#include <stdexcept>

namespace tavlor {

namespace {

std::shared_ptr<const CodecKind> kindOf(const EncodingRow& row) {
    switch (row.family) {
    case CodecFamily::Utf8:
        return makeUtf8Kind();
    case CodecFamily::CodePage:
        return makeCodePageKind(row.iconvName);
    case CodecFamily::Utf16Le:
        return makeUtf16Kind(false);
    case CodecFamily::Utf16Be:
        return makeUtf16Kind(true);
    }
    throw std::invalid_argument("unknown codec family");
}

// The character at text[i] (a surrogate pair counts as one, a lone surrogate is itself) and how
// many units it takes.
char32_t characterAt(std::u16string_view text, std::size_t i, std::size_t& units) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
        units = 2;
        return 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    units = 1;
    return u;
}

} // namespace

const EncodingRow& encodingRow(TextEncoding encoding) {
    for (const EncodingRow& row : kEncodingRows) {
        if (row.encoding == encoding)
            return row;
    }
    throw std::invalid_argument("unknown text encoding");
}

TextCodec::TextCodec(TextEncoding encoding)
    : m_encoding(encoding), m_kind(kindOf(encodingRow(encoding))) {}

std::string_view TextCodec::byteOrderMarkOf(TextEncoding encoding) {
    return encodingRow(encoding).byteOrderMark;
}

bool TextCodec::keepsAsciiBytes() const {
    return m_kind->keepsAsciiBytes();
}

std::size_t TextCodec::unitSize() const {
    return m_kind->unitSize();
}

std::size_t TextCodec::decode(std::string_view bytes, char16_t* out) const {
    return m_kind->decode(bytes, out);
}

std::u16string TextCodec::decode(std::string_view bytes) const {
    std::u16string text(bytes.size(), u'\0');
    text.resize(m_kind->decode(bytes, text.data()));
    return text;
}

bool TextCodec::encode(std::u16string_view text, std::string& out, char32_t* unheld) const {
    out.reserve(out.size() + text.size() * m_kind->unitSize());
    const bool asciiKept = m_kind->keepsAsciiBytes();
    for (std::size_t i = 0, units = 1; i < text.size(); i += units) {
        if (asciiKept && text[i] < 0x80) {
            out += static_cast<char>(text[i]); // the usual character, without a call
            units = 1;
            continue;
        }
        const char32_t c = characterAt(text, i, units);
        if (!m_kind->encode(c, out)) {
            if (unheld != nullptr)
                *unheld = c;
            return false;
        }
    }
    return true;
}

std::optional<char32_t> TextCodec::firstUnheld(std::u16string_view text) const {
    if (m_kind->holdsEverything())
        return std::nullopt;
    for (std::size_t i = 0, units = 1; i < text.size(); i += units) {
        const char32_t c = characterAt(text, i, units);
        if (!m_kind->holds(c))
            return c;
    }
    return std::nullopt;
}

bool TextCodec::holds(char32_t character) const {
    return m_kind->holds(character);
}

std::string TextCodec::toUtf8(std::string_view bytes) const {
    if (isUtf8())
        return std::string(bytes);
    std::string out;
    utf8Codec().encode(decode(bytes), out);
    return out;
}

std::size_t TextCodec::firstCharLength(std::string_view bytes) const {
    return m_kind->firstCharLength(bytes);
}

std::size_t TextCodec::previousCharEnd(std::string_view bytes, std::size_t end) const {
    return m_kind->previousCharEnd(bytes, end);
}

std::size_t TextCodec::incompleteTail(std::string_view bytes) const {
    return m_kind->incompleteTail(bytes);
}

const TextCodec& utf8Codec() {
    static const TextCodec codec(TextEncoding::Utf8);
    return codec;
}

} // namespace tavlor
