#include "ui/bytetext.h"

#include "core/cell_size_limit.h"
#include "core/text_encoding.h"
#include "core/utf8.h"

namespace tavlor::ui {

namespace {

constexpr char16_t kByteSurrogateBase = tavlor::TextCodec::kByteSurrogateBase;

// The character at text[i] (a surrogate pair counts as one) and how many units it takes.
char32_t characterAt(const QString& text, qsizetype i, qsizetype& units) {
    const char16_t u = text.at(i).unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.at(i + 1).unicode())) {
        units = 2;
        return QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
    }
    units = 1;
    return u;
}

// Calls each(c) for the characters of text in order while it answers true; false when one
// answered false.
template <typename Each> bool eachCharacter(const QString& text, Each each) {
    for (qsizetype i = 0, units = 1; i < text.size(); i += units) {
        if (!each(characterAt(text, i, units)))
            return false;
    }
    return true;
}

} // namespace

QString toText(std::string_view bytes) {
    if (tavlor::isPlainAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const std::size_t n = tavlor::utf8SequenceLength(bytes, i, &cp);
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
    eachCharacter(text, [&out](char32_t c) {
        if (c >= kByteSurrogateBase + 0x80u && c <= kByteSurrogateBase + 0xFFu)
            out += static_cast<char>(c - kByteSurrogateBase);
        else
            tavlor::appendUtf8(out, c);
        return true;
    });
    return out;
}

QString toText(std::string_view bytes, const tavlor::TextCodec& codec) {
    if (codec.isUtf8())
        return toText(bytes);
    if (tavlor::isPlainAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes)
        *out++ = QChar(codec.charOf(static_cast<unsigned char>(b)));
    return text;
}

std::optional<std::string> toBytes(const QString& text, const tavlor::TextCodec& codec,
                                   char32_t* unheld) {
    if (codec.isUtf8())
        return toBytes(text);
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    const bool held = eachCharacter(text, [&](char32_t c) {
        const int byte = c < 0x80 ? static_cast<int>(c) : codec.byteOf(c);
        if (byte < 0) {
            if (unheld != nullptr)
                *unheld = c;
            return false;
        }
        out += static_cast<char>(byte);
        return true;
    });
    if (!held)
        return std::nullopt;
    return out;
}

std::optional<char32_t> firstUnheldCharacter(const QString& text, const tavlor::TextCodec& codec) {
    if (codec.isUtf8())
        return std::nullopt;
    std::optional<char32_t> unheld;
    eachCharacter(text, [&](char32_t c) {
        if (c >= 0x80 && codec.byteOf(c) < 0)
            unheld = c;
        return !unheld;
    });
    return unheld;
}

QString editorText(std::string_view cell, const tavlor::TextCodec& codec) {
    if (!tavlor::isHugeCell(cell))
        return toText(cell, codec);
    return toText(tavlor::shownPart(cell), codec) + QChar(0x2026);
}

} // namespace tavlor::ui
