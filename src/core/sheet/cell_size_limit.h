#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlor {

/** Cells longer than this are shown in part and not edited in place. A text box lays out its
 *  whole text on every key and every assignment (about 1 ms per 1,000 characters here), so a
 *  50 MB cell held the window for most of a minute per key. Such cells are still loaded, kept and
 *  saved whole. */
inline constexpr std::size_t kEditableCellBytes = 128 * 1024; // the hints say "128 KiB"

/** A cell too long to be edited in place. */
inline bool isHugeCell(std::string_view text) {
    return text.size() > kEditableCellBytes;
}

/** The start of a huge cell that the editors show (the whole text of any other cell). */
std::string_view shownPart(std::string_view text);

/** Panel 0's hint while a huge cell is current. */
std::string hugeCellHint(std::string_view cellName);
/** Panel 0's hint when a paste would make a cell huge (it is refused). */
std::string refusedPasteHint();

} // namespace tavlor
