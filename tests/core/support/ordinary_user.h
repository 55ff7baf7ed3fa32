#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace tavlor::test {

/** The user and group "nobody" that checks run as when the tests run as root. */
inline constexpr uid_t kNobody = 65534;

/** Runs body in a forked child once prepare has succeeded there, and waits for it. Returns the
 *  child's exit status: 0 when body's checks passed, 1 when one failed (its failures show in the
 *  child's output), 2 when prepare failed, 128 + the signal when a signal ended it. */
int runInChild(const std::function<bool()>& prepare, const std::function<void()>& body);

/** Runs checks with an ordinary user's rights. As root (as in CI), where every access check
 *  passes, a child process takes over folder, becomes "nobody" (member of extraGroup as well, when
 *  one is given) and runs them there; its failures show in its own output and fail the test
 *  through its exit status. */
void asOrdinaryUser(const std::string& folder, const std::function<void()>& checks,
                    gid_t extraGroup = static_cast<gid_t>(-1));

} // namespace tavlor::test
