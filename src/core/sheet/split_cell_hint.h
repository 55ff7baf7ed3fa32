#pragma once

#include <string>
#include <string_view>

namespace tavlor {

/** Panel 0's hint for a cell whose text holds a ";", CR or LF: the file has no quoting, so such a
 *  cell reads back split into further cells or rows. Empty when the text holds none of them. */
std::string splitCellHint(std::string_view cellName, std::string_view text);

} // namespace tavlor
