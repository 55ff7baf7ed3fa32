#pragma once

#include <string>

namespace tavlor {

class Sheet;

/** The file text of the sheet: rows 1..R, columns 1..C with R = MaxRow and C = MaxCol as of the
 *  last Genislik (each raised to 1 when 0), every cell followed by ";", CR LF after every line. */
std::string semicolonText(const Sheet& sheet);

} // namespace tavlor
