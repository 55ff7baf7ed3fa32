#include "core/sheet/cell_size_limit.h"

namespace tavlor {

namespace {
constexpr std::size_t kShownBytes = 4096;
} // namespace

std::string_view shownPart(std::string_view text) {
    return isHugeCell(text) ? text.substr(0, kShownBytes) : text;
}

std::string hugeCellHint(std::string_view cellName) {
    // Panel 0 is 250 pixels wide: the whole hint has to fit in about 44 characters.
    return std::string(cellName) + " is too long to edit here (over 128 KiB)";
}

std::string refusedPasteHint() {
    return "Not pasted: cells over 128 KiB are not edited";
}

} // namespace tavlor
