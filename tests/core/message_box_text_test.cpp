#include "core/message_box_text.h"

#include <gtest/gtest.h>

namespace tavlor {
namespace {

TEST(MessageBoxCopyText, InformationBoxWithOk) {
    const std::string line = "---------------------------\r\n";
    EXPECT_EQ(messageBoxCopyText("Information", "Search String Not Found!", {"OK"}),
              line + "Information\r\n" + line + "Search String Not Found!\r\n" + line +
                  "OK   \r\n" + line);
}

TEST(MessageBoxCopyText, ButtonsLoseTheirAccessKeyMarks) {
    const std::string copy = messageBoxCopyText("Confirmation", "Save?", {"&Yes", "&No", "Cancel"});
    EXPECT_NE(copy.find("\r\nYes   No   Cancel   \r\n"), std::string::npos);
    EXPECT_NE(messageBoxCopyText("c", "t", {"A&&B"}).find("\r\nA&B   \r\n"), std::string::npos);
    EXPECT_NE(messageBoxCopyText("c", "t", {"End&"}).find("\r\nEnd   \r\n"), std::string::npos);
}

} // namespace
} // namespace tavlor
