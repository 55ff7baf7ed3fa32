#pragma once

#include "core/text/encoding_table.h"
#include "core/text/text_codec.h"

#include <array>
#include <iterator>
#include <string_view>

namespace tavlor {

class Sheet;

/** Every encoding a document can have, in the order the program offers them. */
inline constexpr auto kTextEncodings = [] {
    std::array<TextEncoding, std::size(kEncodingRows)> encodings{};
    for (std::size_t i = 0; i < encodings.size(); ++i)
        encodings[i] = kEncodingRows[i].encoding;
    return encodings;
}();

/** The encoding's usual name, e.g. "Windows-1254". */
std::string_view encodingName(TextEncoding encoding);
/** The languages it serves, e.g. "Turkish"; empty for the Unicode forms, which serve all. */
std::string_view encodingLanguages(TextEncoding encoding);

/** UTF-8 when every data cell is well-formed UTF-8 (plain ASCII is); else the 8-bit code page the
 *  bytes speak for: Windows-1254, the code page of the tables this program meets, unless letters
 *  that Turkish does not use say Windows-1252, or euro signs beside numbers (without bytes of a
 *  Windows code page) say ISO-8859-15. */
TextEncoding detectEncoding(const Sheet& sheet);

} // namespace tavlor
