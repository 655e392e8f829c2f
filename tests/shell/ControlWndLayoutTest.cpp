#include "shell/ControlWndLayout.h"

#include "platform/desktop/LayoutData.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using platform::LayoutProperty;
using platform::LayoutValue;

// What only the stored data shows: the logo area's list repeats `Transparent`, and both
// entries are applied in order. Everything else in the lists is checked through its effect on
// the built window.
TEST(ControlWndLayout, LogoAreaCarriesTransparentTwice) {
    const auto logo = platform::DecodeLayoutData(shell::ControlWndLayoutOf("Canvas1"));
    EXPECT_EQ(std::count_if(logo.begin(), logo.end(),
                            [](const LayoutProperty& p) {
                                return p.key == "Transparent" &&
                                       p.value == LayoutValue{std::uint8_t{1}};
                            }),
              2);
    EXPECT_EQ(shell::ControlWndControlLayouts().size(), 13u);
}

} // namespace
