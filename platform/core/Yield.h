#pragma once

namespace platform {

// A cooperative yield at the end of a pass of a long loop, and after every read of a file. By
// itself it does nothing, so the model runs with no window and no display; the desktop installs
// the yield that repaints windows and delivers timers.
void YieldToPlatform();

// What YieldToPlatform calls from now on; nullptr for nothing.
using YieldHook = void (*)();
void SetYieldHook(YieldHook hook);

} // namespace platform
