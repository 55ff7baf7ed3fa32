#include "support/kill_points.h"

#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_purge_allocator(); // sanitizer/allocator_interface.h, not with GCC 12
#endif

namespace tavlor::test {

namespace {

// A stop at the entry to, or the exit from, a system call (PTRACE_O_TRACESYSGOOD marks them).
bool isSystemCallStop(int status) {
    return WIFSTOPPED(status) && WSTOPSIG(status) == (SIGTRAP | 0x80);
}

// Runs work in a traced child and kills it at system-call stop number stop (counted from 1).
// Returns true when the child finished first.
bool runUntilStop(const std::function<void()>& work, int stop) {
#if defined(__SANITIZE_ADDRESS__)
    // Freed memory waits in AddressSanitizer's quarantine, which is drained once it is full: a
    // child that inherited a nearly full one would drain it (and make system calls) where the
    // others did not. Emptied before each child, every child makes the same system calls.
    __sanitizer_purge_allocator();
#endif
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            ::_exit(3);
        ::raise(SIGSTOP);
        work();
        ::_exit(0);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
        ::waitpid(child, nullptr, 0);
        throw std::runtime_error("the system lets no test trace its own child");
    }
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int stops = 0;
    int signal = 0;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(std::intptr_t{signal}));
        if (::waitpid(child, &status, 0) != child)
            throw std::runtime_error("lost the traced child");
        if (WIFEXITED(status) || WIFSIGNALED(status))
            return true;
        // A signal for the child itself goes on to it; only system-call stops count.
        signal = isSystemCallStop(status) ? 0 : WSTOPSIG(status);
        if (signal == 0 && ++stops == stop)
            break;
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return false;
}

} // namespace

int killAtEverySystemCall(const std::function<void()>& prepare, const std::function<void()>& work,
                          const std::function<void(int stop, bool finished)>& seen) {
    for (int stop = 1;; ++stop) {
        prepare();
        const bool finished = runUntilStop(work, stop);
        seen(stop, finished);
        if (finished)
            return stop - 1;
    }
}

} // namespace tavlor::test
