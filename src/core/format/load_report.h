#pragma once

#include "core/files/file_stamp.h"

#include <cstdint>
#include <string>

namespace tavlor {

/** What a load left out because it does not fit in the sheet (nothing outside the sheet is kept).
 */
struct LoadReport {
    std::uint64_t linesBeyondLastRow = 0;    // lines after line 9999 that were seen
    bool moreLinesNotRead = false;           // reading stopped after row 9999; more text follows
    std::uint64_t cellsBeyondLastColumn = 0; // non-empty pieces after column Z
    bool textAfterNulIgnored = false;        // a NUL ended the text early
    bool halfCharacterAtEndIgnored = false;  // UTF-16 text ended one byte into a character
    FileStamp file;                          // the file as it was read

    /** True when something of the file is not in the sheet. */
    bool lostSomething() const;
    /** The warning text shown to the user; empty when there is nothing to tell. */
    std::string message() const;
};

} // namespace tavlor
