#include "platform/desktop/Timer.h"

#include "WidgetTestSupport.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/Probes.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace platform::testing {
namespace {

// A timer on the desktop's clock is waited for its whole period to the millisecond, in either
// run mode, as the About window's four seconds need: not within the few percent that the
// toolkit allows itself by default. A timer turned off is not waited for.
TEST(DesktopTimer, WaitsItsPeriodToTheMillisecond) {
    DesktopTimers desktop;
    Timer* timer = nullptr;
    TestWnd& window = OpenTestWindow("TimerTest.Wnd", [&](TestWnd& w) {
        timer = &AddControl<Timer>(w, "Timer1", {{"Period", 4000}, {"RunMode", 1}});
    });
    struct Case {
        std::int64_t mode;
        std::int64_t period;
    } cases[] = {{1, 4000}, {2, 4000}, {1, 250}, {2, 60000}};
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", period " + std::to_string(c.period));
        timer->SetPeriod(c.period);
        timer->SetRunMode(c.mode);
        const std::optional<DesktopTimerWait> wait = DesktopWaitFor(*timer);
        ASSERT_TRUE(wait);
        EXPECT_EQ(wait->milliseconds, c.period);
        EXPECT_TRUE(wait->precise);
    }
    timer->SetRunMode(0);
    EXPECT_FALSE(DesktopWaitFor(*timer));
    CloseWindow(window);
    ProcessEvents();
}

} // namespace
} // namespace platform::testing
