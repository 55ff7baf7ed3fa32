#pragma once

#include "core/files/file_stamp.h"

#include <string>

namespace tavlor {

class SemicolonReader;

/** Reads the file at path into reader under a shared, non-blocking lock, stopping soon after the
 *  reader has its last row (bounded memory for any file size). Only regular files are read.
 *  Throws FileError "Cannot open file "%s". %s" when the file cannot be opened or read; the reader
 *  may then hold part of the file. Returns the file's stamp (its checksum only when it was read to
 *  the end). */
FileStamp readFileInto(const std::string& path, SemicolonReader& reader);

} // namespace tavlor
