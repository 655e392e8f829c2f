#pragma once

#include <cstdint>

namespace platform {

namespace detail {
extern std::uint32_t yieldCountdown;
void yieldSlowly();
} // namespace detail

// A cooperative yield at the end of a pass of a long loop. Most calls only count down; every
// few thousand calls the platform checks the clock and, when enough time has passed, lets
// windows repaint. It never delivers user input, so no handler can start inside another.
inline void YieldToPlatform() {
    if (--detail::yieldCountdown == 0)
        detail::yieldSlowly();
}

} // namespace platform
