#include "platform/core/Date.h"

#include <gtest/gtest.h>

using platform::Date;

TEST(Date, FixedMomentPrintsItsParts) {
    const Date date(2026, 12, 10, 9, 38, 4);
    const std::string shortDate = date.ShortDate().str();
    const std::string longTime = date.LongTime().str();
    EXPECT_FALSE(shortDate.empty());
    EXPECT_FALSE(longTime.empty());
    // Whatever the system's formats, the day and the minutes show as digits.
    EXPECT_NE(shortDate.find("10"), std::string::npos) << shortDate;
    EXPECT_NE(longTime.find("38"), std::string::npos) << longTime;
    EXPECT_NE(longTime.find("04"), std::string::npos) << longTime;
}

TEST(Date, NowPrintsSomething) {
    const Date now;
    EXPECT_FALSE(now.ShortDate().empty());
    EXPECT_FALSE(now.LongTime().empty());
}
