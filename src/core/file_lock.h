#pragma once

namespace tavlor {

/** Takes a non-blocking flock of the given kind (LOCK_SH or LOCK_EX) on fd. A file system that
 *  keeps no locks (ENOLCK, EOPNOTSUPP, ENOSYS: some network file systems) counts as success: the
 *  file is then used without a lock rather than not at all. Returns 0 or the errno value. */
int lockDescriptor(int fd, int kind);

} // namespace tavlor
