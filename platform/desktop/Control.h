#pragma once

#include "platform/core/String.h"
#include "platform/desktop/LayoutData.h"

#include <cstdint>
#include <string_view>

namespace platform {

class Window;

// Anything a window owns under a name: visible controls and the timer.
class Control {
  public:
    Control() = default;
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const String& Name() const { return m_name; }
    void SetName(const String& name) { m_name = name; }
    std::int64_t Index() const { return m_index; }
    // The window the control was registered with, nullptr before.
    Window* OwnerWindow() const { return m_window; }
    // The class's name, as the platform calls it ("TextField").
    virtual const char* ClassName() const = 0;

  protected:
    // Gives effect to one entry of layout data; a key that the class does not carry is a
    // LayoutDataException.
    virtual void ApplyProperty(const LayoutProperty& property);
    // Called once the window has registered the control.
    virtual void AttachedTo(Window& window);
    // Called when the control's window closes; the control goes with the window later.
    virtual void WindowClosed() {}
    [[noreturn]] void RejectProperty(const LayoutProperty& property) const;

  private:
    friend class Window;
    friend void _SetProperties(Control& target, std::string_view data);

    String m_name;
    std::int64_t m_index = 0;
    Window* m_window = nullptr;
};

// Applies a layout-data list in its stored form to the control, entry after entry in stored
// order. A failure stops at its entry; the entries before it stay applied.
void _SetProperties(Control& target, std::string_view data);

} // namespace platform
