#include "platform/String.h"

#include <gtest/gtest.h>

using platform::String;

TEST(String, CountsCharactersNotBytes) {
    EXPECT_EQ(String("abc").length(), 3);
    EXPECT_EQ(String("\xC3\xA4\xE2\x82\xAC").length(), 2); // a-umlaut, euro sign
    EXPECT_EQ(String().length(), 0);
}

TEST(String, AppendingLeavesEarlierCopiesUnchanged) {
    String base = "report";
    String first = base + "\r";
    String second = base + "X"; // base no longer owns its buffer's tail: must copy
    EXPECT_EQ(first.view(), "report\r");
    EXPECT_EQ(second.view(), "reportX");
    EXPECT_EQ(base.view(), "report");
}

TEST(String, AppendingToTheTailSharesTheBuffer) {
    String text = "a";
    String longer = text + "b";
    EXPECT_TRUE(text.isPrefixSharedWith(longer));
    String again = longer + "c";
    EXPECT_TRUE(longer.isPrefixSharedWith(again));
    EXPECT_EQ(again.view(), "abc");
    EXPECT_EQ(again.length(), 3);
}

TEST(String, SelfAppendSurvivesReallocation) {
    String text = "0123456789abcdef0123456789abcdef"; // fills the smallest buffer
    text += text;
    EXPECT_EQ(text.view(), "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");
}

TEST(String, OrdersByCodePoint) {
    EXPECT_LT(String("0"), String("9"));
    EXPECT_LT(String("9"), String("a"));
    EXPECT_LT(String(""), String("0"));
    EXPECT_EQ(String("x"), String(std::string("x")));
}
