#pragma once

#include "platform/desktop/MenuItem.h"

namespace platform {

// The application's menu bar: its children are the top-level menus. Installed as the
// application object's MenuBar, it is drawn in every document window (dialogs carry none);
// the windows share one action per item, so a choice in any window's bar, or an item's
// shortcut, goes to the window in front. An auto-enabled item is shown enabled exactly while
// choosing it would act there (see ChooseMenuItem; an Edit item only when the focused control
// can carry it out now), brought up to date as a menu opens and as a key that may be its
// shortcut is pressed; a disabled item's shortcut key goes on to the focused control.
class MenuBar : public MenuItem {
  public:
    const char* ClassName() const override { return "MenuBar"; }
};

// Chooses the menu item of that Name as the user does: calls the handler that the frontmost
// window registered for it and returns its result. Without one, the Edit items (EditUndo,
// EditCut, EditCopy, EditPaste, EditClear) act on the focused text field or text area, and an
// item with the quit role quits with exit code 0; otherwise nothing happens and the result is
// false. A failure in a handler is reported, not passed on.
bool ChooseMenuItem(const String& itemName);

} // namespace platform
