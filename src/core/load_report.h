#pragma once

#include <cstdint>
#include <string>

namespace tavlor {

/** What a load left out because it does not fit in the sheet (nothing outside the sheet is kept).
 */
struct LoadReport {
    std::uint64_t linesBeyondLastRow = 0;    // lines after line 9999 that were seen
    bool moreLinesNotRead = false;           // reading stopped after row 9999; more text follows
    std::uint64_t cellsBeyondLastColumn = 0; // non-empty pieces after column Z
    bool textAfterNulIgnored = false;        // a NUL byte ended the text early
    bool looksLikeUtf16 = false;             // the file starts with a UTF-16 byte-order mark

    /** True when something of the file is not in the sheet. */
    bool lostSomething() const;
    /** True when the user should be told about the load: something was lost, or the file looks
     *  like text the editor does not read. */
    bool warrantsWarning() const { return lostSomething() || looksLikeUtf16; }
    /** The warning text shown to the user; empty when there is nothing to tell. */
    std::string message() const;
};

} // namespace tavlor
