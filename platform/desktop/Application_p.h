#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::detail {

// The code of the last Quit call, if any.
std::optional<std::int64_t>& requestedExitCode();

// Whether this is the main thread: the toolkit's, or before it starts, the run time's.
bool isMainThread();

// Starts the toolkit if it has not started yet, with the run time's arguments.
void startToolkit();

// Steps that test support asks to run once the event loop runs, after the late phase.
std::vector<std::function<void()>>& loopSteps();

// Milestones of a run (a file type registered, the application object made, the menu bar
// installed, a window shown), recorded while `traceLog` is set; test support reads them.
extern std::vector<std::string>* traceLog;
inline void trace(std::string event) {
    if (traceLog)
        traceLog->push_back(std::move(event));
}

} // namespace platform::detail
