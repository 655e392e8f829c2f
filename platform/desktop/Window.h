#pragma once

#include "platform/core/Errors.h"
#include "platform/core/String.h"
#include "platform/desktop/Control.h"
#include "platform/desktop/LayoutData.h"
#include "platform/desktop/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class PushButton;

namespace detail {
class WindowWidget;
struct WindowAccess;
} // namespace detail

// A window of the platform. It is made in two phases: `new` makes the object, Constructor()
// builds it (from then on the platform owns it: it is destroyed some time after it closed,
// never while one of its own handlers runs). Every other operation needs Constructor done
// first. Sizes are in points.
class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Builds the window: raises Layout, CreateControls, AddMenuHandlers and Open, in this
    // order, then shows the window when its layout data says Visible 1 (the default). A failure
    // passes on to the caller; the window is then withdrawn and destroyed later. Off the main
    // thread it raises ThreadAccessingUIException and builds nothing.
    void Constructor();

    // Shows the window, also one that was hidden, in front of the others.
    void Show();
    // Hides the window; it stays open.
    void Hide();
    // Closes the window: raises Close; the window is no longer open afterwards.
    void Close();
    bool IsVisible() const;
    bool IsOpen() const;

    String Title() const;
    void SetTitle(const String& title);
    // The size of the content area.
    std::int64_t Width() const;
    std::int64_t Height() const;

    // The full name of the window's class, as _GetImplicitWindow finds it
    // ("ControlWnd.ControlWnd").
    virtual std::string_view FullClassName() const = 0;

    // Registers the control under its name; the window owns it from then on.
    void _AddControl(const String& name, std::unique_ptr<Control> control);
    // Makes one control as every window does: a new C, its constructor, registration under
    // `name`, for a picture area its backdrop (`backdrop` is called at that moment), then the
    // control looked up again by name and given its layout data.
    template <class C>
    C& CreateControl(const String& name, std::string_view layoutData,
                     Picture (*backdrop)() = nullptr) {
        auto control = std::make_unique<C>();
        control->Constructor();
        _AddControl(name, std::move(control));
        if constexpr (requires(C & c, const Picture& picture) { c.SetBackdrop(picture); })
            if (backdrop)
                _ControlByNameAs<C>(name).SetBackdrop(backdrop());
        C& created = _ControlByNameAs<C>(name);
        _SetProperties(created, layoutData);
        return created;
    }
    // The control registered under that name; NilObjectException when there is none.
    Control& _ControlByName(const String& name) const;
    // The same, as its class; TypeMismatchException for a control of another class.
    template <class C> C& _ControlByNameAs(const String& name) const {
        Control& control = _ControlByName(name);
        if (auto* typed = dynamic_cast<C*>(&control))
            return *typed;
        throw TypeMismatchException("The control \"" + name.str() + "\" is a " +
                                    control.ClassName() + ".");
    }

    // Binds, for this window, the menu item of that Name to a handler; the platform calls it
    // when the item is chosen while this window is frontmost.
    void _AddMenuHandler(const String& itemName, std::function<bool()> handler);
    bool HasMenuHandler(const String& itemName) const;

    // The button that Return and Enter press when no control takes the key itself; nullptr
    // for none. A window may mark several buttons Default and names the one that responds.
    void SetDefaultButton(PushButton* button);

  protected:
    // Window events; the defaults do nothing.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers(Window&) {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Activate() {}
    // True when the window handled the key.
    virtual bool Event_KeyDown(const String&) { return false; }
    // A press on the window itself, outside its controls, in content coordinates.
    virtual bool Event_MouseDown(std::int64_t, std::int64_t) { return false; }
    virtual void Event_EnableMenuItems() {}

    virtual void ApplyProperty(const LayoutProperty& property);

  private:
    friend class detail::WindowWidget;
    friend struct detail::WindowAccess;
    friend void _SetProperties(Window& target, std::string_view data);

    detail::WindowWidget& built() const;
    void applyFrame();
    void applyTabOrder();
    void closed();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Applies a window's layout-data list, entry after entry in stored order.
void _SetProperties(Window& target, std::string_view data);

// The open window (shown or hidden) whose class has that full name; nullptr when none is open.
Window* _GetImplicitWindow(std::string_view fullClassName);

// Makes a window of class W and builds it; the platform owns it.
template <class W> W& NewWindow() {
    auto* window = new W();
    window->Constructor();
    return *window;
}

// The implicit instance of window class W: the open window (shown or hidden) whose class has
// the full name W::kFullClassName, built when none is open. A window found under that name
// that is no W is a TypeMismatchException.
template <class W> W& ImplicitInstance() {
    Window* open = _GetImplicitWindow(W::kFullClassName);
    if (!open)
        return NewWindow<W>();
    if (auto* typed = dynamic_cast<W*>(open))
        return *typed;
    throw TypeMismatchException("The open window \"" + std::string(W::kFullClassName) +
                                "\" is of another class.");
}

// The frontmost visible window, nullptr when none shows.
Window* FrontmostWindow();

} // namespace platform
