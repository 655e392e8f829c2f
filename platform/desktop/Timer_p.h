#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <cstdint>

namespace platform {

class Timer;

namespace detail {

// Where timers wait for their period. The toolkit's clock serves unless test support installs
// a clock of its own, which then fires the timers with fireTimer.
struct TimerScheduler {
    virtual ~TimerScheduler() = default;
    virtual void start(Timer& timer, std::int64_t milliseconds, bool repeating) = 0;
    virtual void stop(Timer& timer) = 0;
};
extern TimerScheduler* timerScheduler;

// What happens when a timer's period has passed: a one-shot timer turns itself off, then its
// Action is raised.
void fireTimer(Timer& timer);

// How the toolkit's event loop waits for a timer on the toolkit's clock: not at all while the
// timer is off or waits on a clock of the test support's.
struct DesktopWait {
    bool waiting = false;
    std::int64_t milliseconds = 0;
    bool precise = false; // kept to the millisecond, not within a few percent of the period
};
DesktopWait desktopWait(const Timer& timer);

} // namespace detail
} // namespace platform
