#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tavlor::ui {

/** Shows cell bytes as text: well-formed UTF-8 decodes normally and every other byte becomes the
 *  lone surrogate U+DC00 + byte, so toBytes(toText(b)) == b for every byte string b. */
QString toText(std::string_view bytes);

/** The bytes of a text made by toText, unchanged while the user has not edited it: surrogate
 *  pairs become their character, lone U+DC80..U+DCFF the byte, anything else UTF-8. */
std::string toBytes(const QString& text);

} // namespace tavlor::ui
