#include "platform/desktop/Toolkit_p.h"

#include <gtest/gtest.h>

namespace platform::detail {
namespace {

// The platform reads the toolkit's private classes as the release it was built with lays them
// out, so only that very release is taken: any other, older or newer, however near, is named in
// the line that ends the start.
TEST(ToolkitRelease, OnlyTheReleaseBuiltWithIsTaken) {
    struct Case {
        const char* built;
        const char* running;
        bool taken;
    } cases[] = {
        {"6.4.2", "6.4.2", true},   {"6.4.2", "6.4.3", false}, {"6.4.2", "6.4.1", false},
        {"6.4.2", "6.5.2", false},  {"6.4.2", "7.4.2", false}, {"6.5.0", "6.4.2", false},
        {"6.4.2", "6.4.20", false}, {"6.4.2", "6.4", false},   {"6.4.2", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.built) + " and " + c.running);
        const std::optional<std::string> line = releaseMismatch("Quorvane", c.built, c.running);
        EXPECT_EQ(!line, c.taken);
        if (line) {
            EXPECT_NE(line->find(std::string("Qt ") + c.built + " "), std::string::npos);
            EXPECT_NE(line->find(std::string("Qt ") + c.running + ";"), std::string::npos);
        }
    }
    EXPECT_EQ(releaseMismatch("Quorvane", "6.4.2", "6.5.0"),
              "Quorvane: built with Qt 6.4.2 but started with Qt 6.5.0; it must be rebuilt for "
              "the Qt it runs with.");
}

} // namespace
} // namespace platform::detail
