#pragma once

#include <memory>

namespace platform {

class Window;

// A reference to a window that does not keep it alive: Value is nullptr once it is gone.
class WeakRef {
  public:
    explicit WeakRef(Window& window);
    Window* Value() const;

  private:
    std::weak_ptr<void> m_alive;
    Window* m_window;
};

} // namespace platform
