#include "ui/text/bytetext.h"

#include "core/sheet/cell_size_limit.h"
#include "core/text/text_codec.h"
#include "core/text/utf8.h"

namespace tavlor::ui {

namespace {

std::u16string_view unitsOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

QString toText(std::string_view bytes) {
    return toText(bytes, tavlor::utf8Codec());
}

std::string toBytes(const QString& text) {
    std::string out;
    tavlor::utf8Codec().encode(unitsOf(text), out);
    return out;
}

QString toText(std::string_view bytes, const tavlor::TextCodec& codec) {
    // Most cells are plain ASCII, which most encodings keep as it is.
    if (codec.keepsAsciiBytes() && tavlor::isPlainAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    const std::size_t units = codec.decode(bytes, reinterpret_cast<char16_t*>(text.data()));
    text.truncate(static_cast<qsizetype>(units));
    return text;
}

std::optional<std::string> toBytes(const QString& text, const tavlor::TextCodec& codec,
                                   char32_t* unheld) {
    std::string out;
    if (!codec.encode(unitsOf(text), out, unheld))
        return std::nullopt;
    return out;
}

std::optional<char32_t> firstUnheldCharacter(const QString& text, const tavlor::TextCodec& codec) {
    return codec.firstUnheld(unitsOf(text));
}

QString editorText(std::string_view cell, const tavlor::TextCodec& codec) {
    if (!tavlor::isHugeCell(cell))
        return toText(cell, codec);
    return toText(tavlor::shownPart(cell), codec) + QChar(0x2026);
}

} // namespace tavlor::ui
