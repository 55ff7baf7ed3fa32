#include "core/files/file_error.h"

#include <gtest/gtest.h>

namespace tavlor::test {

TEST(DisplayedMessage, AppendsFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(displayedMessage(""), "");
    EXPECT_EQ(displayedMessage("Stream write error"), "Stream write error.");
    EXPECT_EQ(displayedMessage("Done."), "Done.");
    EXPECT_EQ(displayedMessage("ends in blank "), "ends in blank ");
    EXPECT_EQ(displayedMessage("Cannot open file \"\""), "Cannot open file \"\"");
    EXPECT_EQ(displayedMessage("(x)"), "(x)");
    EXPECT_EQ(displayedMessage("a-"), "a-");                    // '-' sorts before '.'
    EXPECT_EQ(displayedMessage("a/"), "a/.");                   // '/' sorts after '.'
    EXPECT_EQ(displayedMessage("caf\xC3\xA9"), "caf\xC3\xA9."); // bytes >= 0x80 count as high
}

} // namespace tavlor::test
