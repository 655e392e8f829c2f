#pragma once

#include <cstdint>

namespace platform {

class Window;

// A control without a place of its own, such as a timer, that belongs to a window: when the
// window registers it, the platform hands it its window and its index.
class _PaneChild {
  public:
    virtual ~_PaneChild() = default;
    virtual void _SetWindow(platform::Window& window) = 0;
    // The window, nullptr once it no longer exists.
    virtual platform::Window* Window() = 0;
    virtual std::int64_t _Index() = 0;
    virtual void _SetIndex(std::int64_t index) = 0;
};

} // namespace platform
