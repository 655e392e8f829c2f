#pragma once

namespace platform {

// A cooperative yield at the end of a pass of a long loop, and after every read of a file.
// Once 50 ms of work have passed since the last time, windows repaint and timers fire; user
// input waits, so no handler starts inside another. The check is one look at the clock. While
// a handler has been at work for more than a moment, the pointer shows the busy cursor.
void YieldToPlatform();

} // namespace platform
