#pragma once

#include "core/print_channel.h"
#include "core/sheet.h"
#include "core/text_encoding.h"

#include <string>

namespace tavlor {

/** The text of row r for printing: the 27 cells of the row (row number first), each followed by
 *  a carriage return and a line feed. */
std::string printRowText(const Sheet& sheet, int row);

/** Prints rows 1..MaxRow of the sheet as of its last Genislik through a channel on device: each
 *  row as its row text and one line end, so 28 lines per row; a job always has one page at least.
 *  Throws only what opening the device throws. Characters are whole in the document's encoding. */
void printSheet(const Sheet& sheet, TextDevice& device, TextEncoding encoding = TextEncoding::Utf8);

} // namespace tavlor
