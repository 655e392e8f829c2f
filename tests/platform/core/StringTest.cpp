#include "platform/core/String.h"

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
    String text = "a report line that needs a buffer";
    String longer = text + "b";
    EXPECT_TRUE(text.isPrefixSharedWith(longer));
    String again = longer + "c";
    EXPECT_TRUE(longer.isPrefixSharedWith(again));
    EXPECT_EQ(again.view(), "a report line that needs a bufferbc");
    EXPECT_EQ(again.length(), 35);
}

// A text of a few bytes lives in the String itself; growing past them moves it into a buffer,
// and copies made on the way keep their own text.
TEST(String, ShortTextsGrowIntoABuffer) {
    String text = "12345678";
    text += text; // sixteen bytes, still in place
    const String copy = text;
    text += "x";
    EXPECT_EQ(copy.view(), "1234567812345678");
    EXPECT_EQ(text.view(), "1234567812345678x");
    EXPECT_EQ(text.length(), 17);
    EXPECT_TRUE(copy.isPrefixSharedWith(text)); // compared byte for byte
    EXPECT_FALSE(String("12x").isPrefixSharedWith(text));
    EXPECT_FALSE(text.isPrefixSharedWith(copy));
    String grown = text + "y";
    EXPECT_TRUE(text.isPrefixSharedWith(grown));
    EXPECT_EQ(String("\xC3\xA4").length(), 1);
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
