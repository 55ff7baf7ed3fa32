#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace tavlor {
class TextCodec;
}

namespace tavlor::ui {

/** Shows bytes as UTF-8 text: well-formed UTF-8 decodes normally and every other byte becomes the
 *  lone surrogate U+DC00 + byte, so toBytes(toText(b)) == b for every byte string b. For the
 *  system's texts: file names, messages, captions. */
QString toText(std::string_view bytes);

/** The bytes of a text made by toText, unchanged while the user has not edited it: surrogate
 *  pairs become their character, lone U+DC80..U+DCFF the byte, anything else UTF-8. */
std::string toBytes(const QString& text);

/** Shows cell bytes as text in the document's encoding; toBytes(toText(b, c), c) == b. */
QString toText(std::string_view bytes, const tavlor::TextCodec& codec);

/** The cell bytes of text in the document's encoding; nothing when the encoding cannot hold one
 *  of its characters, which *unheld (when given) then receives. */
std::optional<std::string> toBytes(const QString& text, const tavlor::TextCodec& codec,
                                   char32_t* unheld = nullptr);

/** The first character of text that the document's encoding cannot hold; nothing when it holds
 *  them all. */
std::optional<char32_t> firstUnheldCharacter(const QString& text, const tavlor::TextCodec& codec);

/** The text the in-cell editor and the formula bar show for a cell: all of it, or the start of a
 *  huge cell followed by "…" (such a cell is not edited in place). */
QString editorText(std::string_view cell, const tavlor::TextCodec& codec);

} // namespace tavlor::ui
