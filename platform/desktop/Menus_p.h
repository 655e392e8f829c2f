#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include "platform/desktop/MenuItem.h"

#include <QAction>
#include <memory>
#include <string_view>
#include <vector>

class QMainWindow;

namespace platform {

class MenuBar;

struct MenuItem::Impl {
    String name, value, shortcut;
    bool shortcutSet = false;
    bool autoEnabled = true;
    bool visible = true;
    std::vector<std::unique_ptr<MenuItem>> children;
    // The one action that every window's bar shows for this item, made when first drawn.
    std::unique_ptr<QAction> action;
};

namespace detail {

struct MenuAccess {
    static MenuItem::Impl& impl(const MenuItem& item) { return *item.m_impl; }
};

// Called with its name at the start of every menu operation; test support sets it to make one
// of them fail. nullptr normally.
extern void (*menuOperationProbe)(std::string_view operation);

// Draws the installed menu bar as the window's own bar, replacing what it showed before.
void drawMenuBar(const MenuBar& bar, QMainWindow& window);
// Lets go of every action of the bar; the run time does this before the toolkit ends.
void releaseMenuActions(MenuItem& item);

// Whether choosing the item now would act in the window in front: that window has a handler
// for its Name, the focused text control can carry the Edit item out, or it has the quit role.
bool choosingActs(const MenuItem& item);
// Enables each drawn auto-enabled item of the installed bar exactly while choosing it would
// act; an item that is not auto-enabled stays disabled.
void enableItemsAsTheyAct();
// From now on, every key that may be a menu shortcut brings the items up to date before the
// toolkit looks for its shortcut, since a disabled item's shortcut does not fire.
void watchShortcutKeys();

} // namespace detail
} // namespace platform
