#pragma once

#include "core/files/file_stamp.h"
#include "core/text/text_encoding.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlor {

class Sheet;

/** What a recovery file says about the document whose unsaved cells it keeps. */
struct RecoveryHeader {
    std::string path; // the document's file name, exact bytes; empty for an unnamed sheet
    TextEncoding encoding = TextEncoding::Utf8;
    std::int64_t savedAt = 0; // seconds since 1970 (UTC) when it was written
    FileIdentity identity;    // the file as it was loaded or saved; none when it had none
};

/** A recovery file that is not one (foreign) or not whole (cut short, damaged). what() says
 *  which, in words for the user. */
class RecoveryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/** The recovery file's text: a header, then the cells up to the used extent (as of the last
 *  Genislik) in rows of ";"-ended cells with "\\", ";", CR and LF escaped, so any byte comes back
 *  as it was, then an end mark with the count of cell bytes. */
std::string recoveryText(const RecoveryHeader& header, const Sheet& sheet);

/** Called for each cell the text holds (col 1..26, row 1..9999). */
using RecoveredCell = std::function<void(int col, int row, std::string_view bytes)>;

/** Reads the text back, handing each cell to cell (when given). Throws RecoveryError when the
 *  text is not a recovery file or not a whole one; cells may have been handed on by then, so a
 *  caller checks a file (without cell) before it takes its cells. */
RecoveryHeader parseRecoveryText(std::string_view text, const RecoveredCell& cell = {});

} // namespace tavlor
