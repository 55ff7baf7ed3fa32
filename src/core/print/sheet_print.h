#pragma once

#include "core/print/print_channel.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tavlor {

/** The text of row r for printing: the 27 cells of the row (row number first), each followed by
 *  a carriage return and a line feed; cells of an encoding that does not keep ASCII as it is
 *  (UTF-16) come as UTF-8, see printedEncoding. */
std::string printRowText(const Sheet& sheet, int row, const TextCodec& codec = utf8Codec());

/** The encoding of the printed text: the document's, or UTF-8 for UTF-16 documents. */
TextEncoding printedEncoding(TextEncoding encoding);

/** After each printed row: rows done and rows in all; false cancels the job. */
using PrintProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

/** Prints rows 1..MaxRow of the sheet as of its last Genislik through a channel on device: each
 *  row as its row text and one line end, so 28 lines per row; a job always has one page at least.
 *  When progress answers false the job ends at once, without the rows still to come (and without
 *  laying out what was buffered). Returns false when cancelled so. Throws only what opening the
 *  device throws. Characters are whole in the document's encoding. */
bool printSheet(const Sheet& sheet, TextDevice& device, TextEncoding encoding = TextEncoding::Utf8,
                const PrintProgress& progress = {});

} // namespace tavlor
