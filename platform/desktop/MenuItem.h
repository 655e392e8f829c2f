#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <memory>

namespace platform {

namespace detail {
struct MenuAccess;
}

// A menu or a menu item: a tree of named items, each appended to its parent in order. An item
// is made in two phases like every object of the platform: `new`, then Constructor(). Its
// properties are set while it is detached; once the menu bar is installed, the platform draws
// it in every document window.
class MenuItem {
  public:
    // What the desktop does with an item besides calling a window's handler for it.
    enum class Role { None, Quit, ApplicationMenu };

    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // The platform's parameterless construction: afterwards the item is empty and detached.
    // Off the main thread it raises ThreadAccessingUIException.
    void Constructor();

    virtual const char* ClassName() const { return "MenuItem"; }
    virtual Role MenuRole() const { return Role::None; }

    // The key by which Child finds the item and by which windows bind handlers to it.
    const String& Name() const;
    void SetName(const String& name);
    // The text shown; "-" marks a separator, and an item with the empty text is not drawn.
    const String& Value() const;
    void SetValue(const String& text);
    // The command-key prefix, a plus sign and a capital letter ("Cmd+Q"); "" for none. On this
    // desktop the command key is Ctrl.
    const String& Shortcut() const;
    void SetShortcut(const String& shortcut);
    // Whether a shortcut was ever assigned, the empty one included.
    bool HasShortcutSet() const;
    // Whether the platform enables the item by itself, as the menu bar describes; an item that
    // is not auto-enabled is shown disabled.
    bool AutoEnabled() const;
    void SetAutoEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    // Appends `item` as the last child; this item owns it from then on.
    void AddMenu(std::unique_ptr<MenuItem> item);
    // The child of that Name, nullptr when there is none.
    MenuItem* Child(const String& name) const;
    std::int64_t Count() const;
    // The child at that place, counted from 0; NilObjectException outside.
    MenuItem& Item(std::int64_t index) const;

    struct Impl; // the platform's own

  private:
    friend struct detail::MenuAccess;
    std::unique_ptr<Impl> m_impl;
};

// The item with the desktop's quit role: choosing it quits the application with exit code 0.
class QuitMenuItem : public MenuItem {
  public:
    const char* ClassName() const override { return "QuitMenuItem"; }
    Role MenuRole() const override { return Role::Quit; }
};

// The item with the application-menu role. This desktop has no application menu, so it stays
// where it is appended.
class AppleMenuItem : public MenuItem {
  public:
    const char* ClassName() const override { return "AppleMenuItem"; }
    Role MenuRole() const override { return Role::ApplicationMenu; }
};

} // namespace platform
