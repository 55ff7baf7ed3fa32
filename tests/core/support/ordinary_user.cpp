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
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool withGroup = extraGroup != static_cast<gid_t>(-1);
        const bool dropped = ::chown(folder.c_str(), kNobody, kNobody) == 0 &&
                             ::setgroups(withGroup ? 1 : 0, &extraGroup) == 0 &&
                             ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
                             ::geteuid() == kNobody;
        if (!dropped)
            ::_exit(2);
        checks();
        ::_exit(testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not become an ordinary user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "checks failed as an ordinary user (see above)";
}

} // namespace tavlor::test
