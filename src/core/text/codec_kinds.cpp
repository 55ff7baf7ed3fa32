#include "core/text/codec_kinds.h"

#include "core/text/utf8.h"

#include <algorithm>
#include <array>
#include <iconv.h>
#include <stdexcept>
#include <utility>

namespace tavlor {

namespace {

constexpr char16_t kByteSurrogateBase = 0xDC00;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// ---- UTF-8 ----

class Utf8Kind final : public CodecKind {
public:
    std::size_t decode(std::string_view bytes, char16_t* out) const override {
        char16_t* const start = out;
        std::size_t i = 0;
        while (i < bytes.size()) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte < 0x80) {
                *out++ = byte;
                ++i;
                continue;
            }
            char32_t cp = 0;
            const std::size_t n = utf8SequenceLength(bytes, i, &cp);
            if (n == 0) {
                *out++ = static_cast<char16_t>(kByteSurrogateBase + byte);
                ++i;
            } else if (cp >= 0x10000) {
                *out++ = static_cast<char16_t>(0xD7C0 + (cp >> 10));
                *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
                i += n;
            } else {
                *out++ = static_cast<char16_t>(cp);
                i += n;
            }
        }
        return static_cast<std::size_t>(out - start);
    }

    bool encode(char32_t c, std::string& out) const override {
        if (c >= kByteSurrogateBase + 0x80u && c <= kByteSurrogateBase + 0xFFu)
            out += static_cast<char>(c - kByteSurrogateBase);
        else
            appendUtf8(out, c); // another lone surrogate takes its three-byte form
        return true;
    }

    bool holds(char32_t) const override { return true; }

    std::size_t firstCharLength(std::string_view bytes) const override {
        return bytes.empty() ? 0 : std::max<std::size_t>(1, utf8SequenceLength(bytes, 0));
    }

    std::size_t previousCharEnd(std::string_view bytes, std::size_t end) const override {
        if (end == 0)
            return 0;
        // A character is at most 4 bytes: look for a lead byte whose sequence ends exactly here.
        for (std::size_t back = 2; back <= 4 && back <= end; ++back) {
            const std::size_t start = end - back;
            if (!isContinuation(static_cast<unsigned char>(bytes[start]))) {
                if (utf8SequenceLength(bytes.substr(start, back), 0) == back)
                    return start;
                break;
            }
        }
        return end - 1;
    }

    std::size_t incompleteTail(std::string_view bytes) const override {
        return incompleteUtf8Tail(bytes);
    }
};

// ---- 8-bit code pages ----

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

class CodePageKind final : public CodecKind {
public:
    explicit CodePageKind(const char* iconvName) {
        Converter converter("UTF-32LE", iconvName);
        for (int byte = 0; byte < 256; ++byte) {
            char32_t character = 0;
            const bool defined = converter.convert(static_cast<unsigned char>(byte), character) &&
                                 character < 0x10000 && !isHighSurrogate(character) &&
                                 !isLowSurrogate(character);
            const auto index = static_cast<std::size_t>(byte);
            m_chars[index] = defined ? static_cast<char16_t>(character)
                                     : static_cast<char16_t>(kByteSurrogateBase + byte);
            m_bytes[index] = {m_chars[index], static_cast<unsigned char>(byte)};
        }
        std::sort(m_bytes.begin(), m_bytes.end());
    }

    std::size_t decode(std::string_view bytes, char16_t* out) const override {
        for (const char b : bytes)
            *out++ = m_chars[static_cast<unsigned char>(b)];
        return bytes.size();
    }

    bool encode(char32_t c, std::string& out) const override {
        const int byte = byteOf(c);
        if (byte < 0)
            return false;
        out += static_cast<char>(byte);
        return true;
    }

    bool holds(char32_t c) const override { return byteOf(c) >= 0; }
    bool holdsEverything() const override { return false; }

private:
    int byteOf(char32_t c) const {
        if (c < 0x80)
            return m_chars[c] == c ? static_cast<int>(c) : lookUp(c);
        return c >= 0x10000 ? -1 : lookUp(c);
    }

    int lookUp(char32_t c) const {
        const auto unit = static_cast<char16_t>(c);
        const auto at = std::lower_bound(m_bytes.begin(), m_bytes.end(),
                                         std::pair<char16_t, unsigned char>{unit, 0});
        return at != m_bytes.end() && at->first == unit ? at->second : -1;
    }

    std::array<char16_t, 256> m_chars{};
    std::array<std::pair<char16_t, unsigned char>, 256> m_bytes{}; // by character, for byteOf
};

// ---- UTF-16 ----

class Utf16Kind final : public CodecKind {
public:
    explicit Utf16Kind(bool bigEndian) : m_high(bigEndian ? 0 : 1) {}

    bool keepsAsciiBytes() const override { return false; }
    std::size_t unitSize() const override { return 2; }

    std::size_t decode(std::string_view bytes, char16_t* out) const override {
        const std::size_t units = bytes.size() / 2;
        for (std::size_t k = 0; k < units; ++k)
            out[k] = unitAt(bytes, 2 * k);
        if (bytes.size() % 2 == 0)
            return units;
        out[units] =
            static_cast<char16_t>(kByteSurrogateBase + static_cast<unsigned char>(bytes.back()));
        return units + 1;
    }

    bool encode(char32_t c, std::string& out) const override {
        if (c >= 0x10000) {
            appendUnit(out, static_cast<char16_t>(0xD7C0 + (c >> 10)));
            appendUnit(out, static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            appendUnit(out, static_cast<char16_t>(c)); // a lone surrogate is a unit of its own
        }
        return true;
    }

    bool holds(char32_t) const override { return true; }

    std::size_t firstCharLength(std::string_view bytes) const override {
        if (bytes.size() < 4)
            return std::min<std::size_t>(bytes.size(), 2);
        return isPair(bytes, 0) ? 4 : 2;
    }

    std::size_t previousCharEnd(std::string_view bytes, std::size_t end) const override {
        if (end < 2)
            return 0;
        const std::size_t last = end - 2 - end % 2; // the last whole unit before end
        if (end % 2 != 0)
            return last + 2;
        return last >= 2 && isPair(bytes, last - 2) ? last - 2 : last;
    }

    std::size_t incompleteTail(std::string_view bytes) const override {
        const std::size_t odd = bytes.size() % 2;
        const std::size_t whole = bytes.size() - odd;
        if (whole >= 2 && isHighSurrogate(unitAt(bytes, whole - 2)))
            return odd + 2;
        return odd;
    }

private:
    char16_t unitAt(std::string_view bytes, std::size_t at) const {
        const auto high = static_cast<unsigned char>(bytes[at + m_high]);
        const auto low = static_cast<unsigned char>(bytes[at + 1 - m_high]);
        return static_cast<char16_t>(high << 8 | low);
    }

    bool isPair(std::string_view bytes, std::size_t at) const {
        return at + 4 <= bytes.size() && isHighSurrogate(unitAt(bytes, at)) &&
               isLowSurrogate(unitAt(bytes, at + 2));
    }

    void appendUnit(std::string& out, char16_t unit) const {
        const char pair[2] = {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        out += pair[m_high];
        out += pair[1 - m_high];
    }

    std::size_t m_high; // 0: the high byte comes first (big-endian); 1: second
};

} // namespace

std::size_t CodecKind::firstCharLength(std::string_view bytes) const {
    return bytes.empty() ? 0 : 1;
}

std::size_t CodecKind::previousCharEnd(std::string_view, std::size_t end) const {
    return end == 0 ? 0 : end - 1;
}

std::size_t CodecKind::incompleteTail(std::string_view) const {
    return 0;
}

std::shared_ptr<const CodecKind> makeUtf8Kind() {
    return std::make_shared<const Utf8Kind>();
}

std::shared_ptr<const CodecKind> makeCodePageKind(const char* iconvName) {
    return std::make_shared<const CodePageKind>(iconvName);
}

std::shared_ptr<const CodecKind> makeUtf16Kind(bool bigEndian) {
    return std::make_shared<const Utf16Kind>(bigEndian);
}

} // namespace tavlor
