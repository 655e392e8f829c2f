#pragma once

#include "platform/core/String.h"

#include <gtest/gtest.h>
#include <string_view>

// What every notice of authorship says, whatever its wording: on one line, the years of the
// work and the authors, the same everywhere.
inline void ExpectNoticeOfAuthorship(const platform::String& notice) {
    const std::string_view text = notice.view();
    EXPECT_NE(text.find("2002-2020"), std::string_view::npos) << text;
    EXPECT_NE(text.find("the Quorvane authors"), std::string_view::npos) << text;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string_view::npos) << text;
}
