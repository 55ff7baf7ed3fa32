#include "bytetext.h"

namespace tavlor::ui {

namespace {

constexpr char16_t kByteSurrogateBase = 0xDC00;

// Length of the well-formed UTF-8 sequence at bytes[i], or 0 when bytes[i] does not start one.
std::size_t wellFormedLength(std::string_view bytes, std::size_t i, char32_t& codePoint) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b0 = at(i);
    const std::size_t left = bytes.size() - i;
    const auto cont = [&](std::size_t k, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
        return k < left && at(i + k) >= lo && at(i + k) <= hi;
    };
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
        codePoint = (char32_t(b0 & 0x1F) << 6) | (at(i + 1) & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        // E0 needs A0..BF (no overlong forms), ED needs 80..9F (no surrogates).
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        if (cont(1, lo, hi) && cont(2)) {
            codePoint = (char32_t(b0 & 0x0F) << 12) | (char32_t(at(i + 1) & 0x3F) << 6) |
                        (at(i + 2) & 0x3F);
            return 3;
        }
        return 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        // F0 needs 90..BF (no overlong forms), F4 needs 80..8F (nothing above U+10FFFF).
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        if (cont(1, lo, hi) && cont(2) && cont(3)) {
            codePoint = (char32_t(b0 & 0x07) << 18) | (char32_t(at(i + 1) & 0x3F) << 12) |
                        (char32_t(at(i + 2) & 0x3F) << 6) | (at(i + 3) & 0x3F);
            return 4;
        }
    }
    return 0;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QString toText(std::string_view bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const std::size_t n = wellFormedLength(bytes, i, cp);
        if (n == 0) {
            text += QChar(
                static_cast<char16_t>(kByteSurrogateBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            text += QChar(QChar::highSurrogate(cp));
            text += QChar(QChar::lowSurrogate(cp));
        } else {
            text += QChar(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return text;
}

std::string toBytes(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < n &&
                   QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(u, text.at(i + 1).unicode()));
            ++i;
        } else if (u >= kByteSurrogateBase + 0x80 && u <= kByteSurrogateBase + 0xFF) {
            out += static_cast<char>(u - kByteSurrogateBase);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

} // namespace tavlor::ui
