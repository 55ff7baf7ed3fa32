#include "core/sheet/split_cell_hint.h"

namespace tavlor {

std::string splitCellHint(std::string_view cellName, std::string_view text) {
    if (text.find_first_of(";\r\n") == std::string_view::npos)
        return {};
    // Panel 0 is 250 pixels wide: the whole hint has to fit in about 44 characters.
    return std::string(cellName) + " will load split: file has no quoting";
}

} // namespace tavlor
