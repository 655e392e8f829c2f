#pragma once

// Shared by the platform's own sources; not for the application's code.

#include <cstdint>
#include <vector>

namespace platform {

class Window;

namespace detail {

// The open windows, frontmost first: the order in which they were last shown or activated.
std::vector<Window*>& openWindows();
void addOpenWindow(Window& window);
void removeOpenWindow(Window& window);
void moveToFront(Window& window);
// Destroys every window still open; the run time does this before it ends.
void destroyAllWindows();

// The X11 platform hands each event of the X connection to native event filters under this
// type, as the protocol's own bytes.
inline constexpr char kX11EventType[] = "xcb_generic_event_t";
// The core protocol's DestroyNotify: a window is gone. Only the code itself counts; with its
// high bit set, the event was sent by a client with SendEvent, which proves nothing.
inline constexpr std::uint8_t kX11DestroyNotify = 17;
struct X11DestroyNotify {
    std::uint8_t responseType;
    std::uint8_t unused;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};

} // namespace detail
} // namespace platform
