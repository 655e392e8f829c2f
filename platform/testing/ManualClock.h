#pragma once

#include <cstdint>
#include <map>

namespace platform {

class String;
class Timer;
class Window;

namespace detail {
struct TimerScheduler;
}

namespace testing {

// While it lives, every timer waits on this clock instead of the desktop's: nothing fires
// until Advance moves the clock past its period, so no test waits in real time.
class ManualClock {
  public:
    ManualClock();
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    // Moves the clock on, firing each timer that falls due in the order of its due times;
    // what the timers' actions start or stop meanwhile takes part.
    void Advance(std::int64_t milliseconds);
    std::int64_t Now() const { return m_now; }
    // Timers that are waiting.
    std::size_t Waiting() const { return m_due.size(); }

  private:
    struct Due {
        std::int64_t at;
        std::int64_t period;
        bool repeating;
        std::uint64_t order; // among timers due at the same moment, the one started first
    };
    // What the platform's timers call to wait on this clock.
    struct Scheduler;
    friend struct Scheduler;

    Scheduler* m_scheduler;
    std::map<Timer*, Due> m_due;
    std::int64_t m_now = 0;
    std::uint64_t m_started = 0;
};

// While it lives, timers started wait on the desktop's own clock again, also where a
// ManualClock is installed: for the tests of what a real timer does during long work.
class DesktopTimers {
  public:
    DesktopTimers();
    ~DesktopTimers();
    DesktopTimers(const DesktopTimers&) = delete;
    DesktopTimers& operator=(const DesktopTimers&) = delete;

  private:
    detail::TimerScheduler* m_suspended;
};

// Adds to the window a timer with a period of 0 that stays off until it is told to run: with
// SetRunMode(1) it fires at the next chance the platform takes to deliver events.
Timer& AddStoppedTimer(Window& window, const String& name);

} // namespace testing
} // namespace platform
