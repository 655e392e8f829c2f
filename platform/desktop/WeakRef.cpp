#include "platform/desktop/WeakRef.h"

#include "platform/desktop/Controls_p.h"

namespace platform {

WeakRef::WeakRef(Window& window)
    : m_alive(detail::WindowAccess::aliveToken(window)), m_window(&window) {}

Window* WeakRef::Value() const {
    return m_alive.expired() ? nullptr : m_window;
}

} // namespace platform
