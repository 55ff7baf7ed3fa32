#include "core/cell_size_limit.h"

namespace tavlor {

namespace {
constexpr std::size_t kShownBytes = 4096;
} // namespace

std::string_view shownPart(std::string_view text) {
    return isHugeCell(text) ? text.substr(0, kShownBytes) : text;
}

std::string hugeCellHint(std::string_view cellName, std::size_t bytes) {
    return std::string(cellName) + " holds " + std::to_string(bytes) + " bytes: cells over " +
           std::to_string(kEditableCellBytes) +
           " bytes are shown in part and not edited here, so that every key stays quick; the "
           "file keeps the whole cell.";
}

} // namespace tavlor
