#pragma once

#include "core/files/file_stamp.h"

#include <string>
#include <string_view>

namespace tavlor {

/** Replaces the file at path by text without ever leaving a cut file. Where the text goes is one
 *  decision (decideSave): usually a new file in the same folder, flushed to disk and renamed over
 *  the target (the folder is flushed too); the old file rewritten in place where a new file could
 *  not stand for it. An existing file keeps its permission bits (set-user-ID and set-group-ID
 *  where the kernel lets us), owner, group, access control list and extended attributes, exactly;
 *  a new file gets what a shell redirect would give it. Links are followed by the kernel, with its
 *  rules. Throws FileError "Cannot create file "%s". %s" before anything is written when the
 *  target cannot be replaced (folder, missing folder, no access, a file whose mode has no write
 *  bit, held by another program, a link the kernel will not follow), and "Stream write error"
 *  when the system writes short; the old file is then untouched. Returns the stamp of the file as
 *  written. */
FileStamp writeFileSafely(const std::string& path, std::string_view text);

} // namespace tavlor
