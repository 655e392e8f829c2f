#pragma once

// Test support: observers of what the platform did, and a way to make one of its menu
// operations fail. Only tests, benchmarks and fuzzers link it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Timer;
}

namespace platform::testing {

// The code of the last Quit call, if any; reset it before the step that should quit.
std::optional<std::int64_t> RequestedExitCode();
void ResetRequestedExitCode();

// How many times the desktop's yield has been called in this process: the long loops call it
// in every pass and after every read.
std::int64_t YieldCount();

// How many times a picture file has been read from the application's resources.
std::int64_t PictureLoadCount();

// Records, while it lives, the milestones of a run: "file type registered: text",
// "application object created", "menu bar installed", "application object registered",
// "window shown: AboutWnd.AboutWnd".
class PlatformTrace {
  public:
    PlatformTrace();
    ~PlatformTrace();
    PlatformTrace(const PlatformTrace&) = delete;
    PlatformTrace& operator=(const PlatformTrace&) = delete;
    const std::vector<std::string>& Events() const { return m_events; }

  private:
    std::vector<std::string> m_events;
};

// Counts the menu operations made while it lives, and makes the given occurrence of one of
// them (counted from 1) raise the platform's failure.
class MenuOperationProbe {
  public:
    MenuOperationProbe();
    ~MenuOperationProbe();
    MenuOperationProbe(const MenuOperationProbe&) = delete;
    MenuOperationProbe& operator=(const MenuOperationProbe&) = delete;

    void FailAt(std::string operation, int occurrence);
    int Operations() const { return m_operations; }
    int Failures() const { return m_failures; }

  private:
    static void observe(std::string_view operation);
    std::string m_failing;
    int m_occurrence = 0;
    int m_seen = 0;
    int m_operations = 0;
    int m_failures = 0;
};

// How the desktop's event loop waits for a timer that runs on the desktop's own clock (see
// DesktopTimers): for how many milliseconds, and whether to the millisecond or only within a
// few percent of the period; nothing while it does not wait for the timer.
struct DesktopTimerWait {
    std::int64_t milliseconds = 0;
    bool precise = false;
};
std::optional<DesktopTimerWait> DesktopWaitFor(const Timer& timer);

// Runs `step` once the event loop runs, after the application's late phase. Ask before the
// start-up hands the late phase over.
void WhenEventLoopRuns(std::function<void()> step);

} // namespace platform::testing
