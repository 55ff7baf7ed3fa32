#pragma once

#include "core/files/file_stamp.h"

#include <string>
#include <string_view>

namespace tavlor {

/** Rewrites the open file fd (opened for reading and writing, locked) with text where it stands:
 *  for files that a new file renamed over them would not replace as they are (more than one hard
 *  link, an owner or group the new file cannot get, a folder we may not write). First the old
 *  bytes of realPath are kept aside (OldBytesCopy) and synced, and the new length is
 *  reserved; a write that fails then puts the old bytes back. The copy is removed once the file
 *  holds the new bytes (it stays only where putting them back failed too).
 *  Throws FileError "Cannot create file "%s". %s" (path) when the old bytes cannot be kept, and
 *  "Stream write error" when the space is not there or the writing fails; the file then holds its
 *  old bytes. Returns the identity of the file as written. */
FileIdentity rewriteInPlace(int fd, const std::string& path, const std::string& realPath,
                            std::string_view text);

} // namespace tavlor
