#include "support/ordinary_user.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavlor::test {

void asOrdinaryUser(const std::string& folder, const std::function<void()>& checks,
                    gid_t extraGroup) {
    if (::geteuid() != 0) {
        checks();
        return;
    }
    const int status = runInChild(
        [&] {
            const bool withGroup = extraGroup != static_cast<gid_t>(-1);
            return ::chown(folder.c_str(), kNobody, kNobody) == 0 &&
                   ::setgroups(withGroup ? 1 : 0, &extraGroup) == 0 && ::setgid(kNobody) == 0 &&
                   ::setuid(kNobody) == 0 && ::geteuid() == kNobody;
        },
        checks);
    ASSERT_LT(status, 128) << "the child ended by signal " << status - 128;
    EXPECT_NE(status, 2) << "could not become an ordinary user";
    EXPECT_EQ(status, 0) << "checks failed as an ordinary user (see above)";
}

int runInChild(const std::function<bool()>& prepare, const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return 128;
    if (child == 0) {
        if (!prepare())
            ::_exit(2);
        body();
        ::_exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return 128;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace tavlor::test
