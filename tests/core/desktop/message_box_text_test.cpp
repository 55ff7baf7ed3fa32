#include "core/desktop/message_box_text.h"

#include <gtest/gtest.h>

namespace tavlor::test {
namespace {

TEST(MessageBoxCopyText, InformationBoxWithOk) {
    const std::string line = "---------------------------\n";
    EXPECT_EQ(messageBoxCopyText("Information", "Search String Not Found!", {"OK"}),
              line + "Information\n" + line + "Search String Not Found!\n" + line + "OK   \n" +
                  line);
}

TEST(MessageBoxCopyText, ButtonsLoseTheirAccessKeyMarks) {
    const std::string copy = messageBoxCopyText("Confirmation", "Save?", {"&Yes", "&No", "Cancel"});
    EXPECT_NE(copy.find("\nYes   No   Cancel   \n"), std::string::npos);
    EXPECT_NE(messageBoxCopyText("c", "t", {"A&&B"}).find("\nA&B   \n"), std::string::npos);
    EXPECT_NE(messageBoxCopyText("c", "t", {"End&"}).find("\nEnd   \n"), std::string::npos);
}

} // namespace
} // namespace tavlor::test
