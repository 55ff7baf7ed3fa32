#pragma once

#include <string>
#include <string_view>

namespace tavlor {

/** Replaces the file at path by text without ever leaving a cut file: the text goes to a new file
 *  in the same folder, is flushed to disk and renamed over the target (the folder is flushed too).
 *  An existing file keeps its permission bits; a symbolic link keeps pointing at the file, whose
 *  content is replaced. Throws FileError "Cannot create file "%s". %s" before anything is written
 *  when the target cannot be replaced (folder, missing folder, no access, a file whose mode has no
 *  write bit, held by another program), and "Stream write error" when the system writes short; the
 *  new file is then removed and the old one is untouched. */
void writeFileSafely(const std::string& path, std::string_view text);

} // namespace tavlor
