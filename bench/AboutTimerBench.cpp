#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;

// Delivers events for a while, so that the window manager's answers to what was shown or
// hidden have arrived.
void ProcessEventsFor(std::chrono::milliseconds time) {
    const Clock::time_point end = Clock::now() + time;
    while (Clock::now() < end)
        testing::ProcessEvents();
}

// How long after the About window appears its one-shot timer of 4000 ms dismisses it, on the
// desktop's own clock: the time column is that delay. The main window is built beforehand, so
// the dismissal only hides the About window and shows the main window, and the event loop is
// polled without pause, so that the delay is seen as soon as it ends. The main window is hidden
// while the About window is made afresh, and the events settle first: the main window's
// activation builds an About window and hides it at once.
void BM_AboutWindowTimerDelay(benchmark::State& state) {
    class ControlWnd& main = ControlWnd();
    double shortest = 1e9, longest = 0, total = 0;
    bool firedByTimer = true;
    for (auto _ : state) {
        main.Hide();
        ProcessEventsFor(std::chrono::milliseconds(300));
        while (Window* open = _GetImplicitWindow("AboutWnd.AboutWnd")) {
            testing::CloseWindow(*open);
            ProcessEventsFor(std::chrono::milliseconds(100));
        }
        class AboutWnd& about = AboutWnd();
        const Clock::time_point shown = Clock::now();
        while (about.IsVisible())
            testing::ProcessEvents();
        const double seconds = std::chrono::duration<double>(Clock::now() - shown).count();
        state.SetIterationTime(seconds);
        firedByTimer = firedByTimer && about.Timer1().RunMode() == 0 && main.IsVisible();
        shortest = std::min(shortest, seconds);
        longest = std::max(longest, seconds);
        total += seconds;
    }
    state.counters["shortest_ms"] = shortest * 1000;
    state.counters["longest_ms"] = longest * 1000;
    state.counters["mean_error_ms"] = total / static_cast<double>(state.iterations()) * 1000 - 4000;
    state.counters["fired_by_timer"] = firedByTimer ? 1 : 0;
}
BENCHMARK(BM_AboutWindowTimerDelay)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

} // namespace
