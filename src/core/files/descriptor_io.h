#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace tavlor {

/** Takes a non-blocking flock of the given kind (LOCK_SH or LOCK_EX) on fd. A file system that
 *  keeps no locks (ENOLCK, EOPNOTSUPP, ENOSYS: some network file systems) counts as success: the
 *  file is then used without a lock rather than not at all. Returns 0 or the errno value. */
int lockDescriptor(int fd, int kind);

/** Writes all of text to fd from offset on, going on after interruptions and short writes.
 *  False (errno set) when a write fails or writes nothing. */
bool writeAllAt(int fd, std::string_view text, off_t offset);

/** Makes and opens a new file (read and write, close-on-exec) whose name is pattern with its six
 *  final "X" replaced. Returns the descriptor and sets path, or -1 with errno set. */
int makeTempFile(const std::string& pattern, std::string& path);

} // namespace tavlor
