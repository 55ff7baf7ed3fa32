#pragma once

#include <functional>

namespace tavlor::test {

/** Kills work at every point where a kill can change what it leaves behind: work runs in a traced
 *  child process that is killed at its first system-call stop, then in a new child at its second,
 *  and so on, until a child finishes before its stop comes. Between system calls a process
 *  changes nothing outside itself, so these are all the outcomes a kill at any moment can have.
 *  prepare runs before each child starts; seen gets, after each child has ended, the number of
 *  its stop and whether it finished. Returns how many children were killed; throws
 *  std::runtime_error when the system lets no process be traced. */
int killAtEverySystemCall(const std::function<void()>& prepare, const std::function<void()>& work,
                          const std::function<void(int stop, bool finished)>& seen);

} // namespace tavlor::test
