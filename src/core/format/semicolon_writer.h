#pragma once

#include "core/text/text_codec.h"

#include <string>

namespace tavlor {

class Sheet;

/** The file text of the sheet: rows 1..R, columns 1..C with R = MaxRow and C = MaxCol as of the
 *  last Genislik (each raised to 1 when 0), every cell followed by ";", CR LF after every line.
 *  The cells' bytes are written as they are; the separators, and the byte-order mark first,
 *  are in the document's encoding (UTF-16 writes them as its characters). */
std::string semicolonText(const Sheet& sheet, const TextCodec& codec = utf8Codec());

} // namespace tavlor
