#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <cstdint>

namespace platform::detail {

// The desktop's yield, which the run time installs as the core's yield hook while the toolkit
// runs. Once 50 ms of work have passed since the last time, windows repaint and timers fire;
// user input waits (HeldInput_p.h), so no handler starts inside another. The check is one look
// at the clock. While a handler has been at work for more than a moment, the pointer shows the
// busy cursor. Once the run has been asked to end, it unwinds the running handler (RunEnding).
void repaintingYield();

// How many times the yield has been called in this process.
std::int64_t yieldCount() noexcept;

} // namespace platform::detail
