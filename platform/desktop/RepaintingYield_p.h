#pragma once

// Shared by the platform's own sources; not for the application's code.

namespace platform::detail {

// The desktop's yield, which the run time installs as the core's yield hook while the toolkit
// runs. Once 50 ms of work have passed since the last time, windows repaint and timers fire;
// user input waits, so no handler starts inside another. The check is one look at the clock.
// While a handler has been at work for more than a moment, the pointer shows the busy cursor.
void repaintingYield();

} // namespace platform::detail
