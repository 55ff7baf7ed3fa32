#pragma once

#include <string>

namespace tavlor {

class SemicolonReader;

/** Reads the file at path into reader under a shared, non-blocking lock, stopping soon after the
 *  reader has its last row (bounded memory for any file size). Only regular files are read.
 *  Throws FileError "Cannot open file "%s". %s" when the file cannot be opened or read; the reader
 *  may then hold part of the file. */
void readFileInto(const std::string& path, SemicolonReader& reader);

} // namespace tavlor
