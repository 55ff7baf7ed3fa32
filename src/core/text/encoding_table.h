#pragma once

#include "core/text/text_codec.h"

#include <string_view>

namespace tavlor {

/** The kind of mapping an encoding needs. */
enum class CodecFamily { Utf8, CodePage, Utf16Le, Utf16Be };

/** One encoding the program knows: adding an 8-bit code page is one more row (and its name in
 *  TextEncoding). */
struct EncodingRow {
    TextEncoding encoding;
    std::string_view name;      // the usual name, e.g. "Windows-1254"
    std::string_view languages; // e.g. "Turkish"; empty for the Unicode forms
    CodecFamily family;
    const char* iconvName; // the system converter of a code page's table; null otherwise
    std::string_view byteOrderMark = {}; // the bytes that start a file of this form, if any
};

inline constexpr EncodingRow kEncodingRows[] = {
    {TextEncoding::Utf8, "UTF-8", "", CodecFamily::Utf8, nullptr},
    {TextEncoding::Windows1254, "Windows-1254", "Turkish", CodecFamily::CodePage, "CP1254"},
    {TextEncoding::Windows1252, "Windows-1252", "Western European", CodecFamily::CodePage,
     "CP1252"},
    {TextEncoding::Iso8859_9, "ISO-8859-9", "Turkish", CodecFamily::CodePage, "ISO-8859-9"},
    {TextEncoding::Iso8859_15, "ISO-8859-15", "Western European", CodecFamily::CodePage,
     "ISO-8859-15"},
    {TextEncoding::Utf16Le, "UTF-16 LE", "", CodecFamily::Utf16Le, nullptr, "\xFF\xFE"},
    {TextEncoding::Utf16Be, "UTF-16 BE", "", CodecFamily::Utf16Be, nullptr, "\xFE\xFF"},
};

/** The row of encoding; throws std::invalid_argument for a value without one. */
const EncodingRow& encodingRow(TextEncoding encoding);

} // namespace tavlor
