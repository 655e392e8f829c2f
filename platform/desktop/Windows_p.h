#pragma once

// Shared by the platform's own sources; not for the application's code.

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

} // namespace detail
} // namespace platform
