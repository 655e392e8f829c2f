#include "platform/desktop/MenuBar.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/FocusedText_p.h"
#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/Menus_p.h"
#include "platform/desktop/Window.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <functional>

namespace platform {

namespace {

using detail::MenuAccess;

// "Cmd+Q" names the command key, which is Ctrl on this desktop.
QKeySequence keysOf(const String& shortcut) {
    QString text = detail::toQt(shortcut);
    if (text.startsWith(QLatin1String("Cmd+")))
        text.replace(0, 3, QStringLiteral("Ctrl"));
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

const MenuItem* findItem(const MenuItem& menu, const String& name) {
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        const MenuItem& child = menu.Item(i);
        if (child.Name() == name)
            return &child;
        if (const MenuItem* found = findItem(child, name))
            return found;
    }
    return nullptr;
}

bool hasQuitRole(const String& itemName) {
    const Application* application = App();
    const MenuBar* bar = application ? application->MenuBar() : nullptr;
    const MenuItem* item = bar ? findItem(*bar, itemName) : nullptr;
    return item && item->MenuRole() == MenuItem::Role::Quit;
}

// The handler that the window in front registered for the item, nullptr when none.
const std::function<bool()>* frontmostHandler(const String& itemName) {
    Window* front = FrontmostWindow();
    return front ? detail::WindowAccess::menuHandler(*front, itemName) : nullptr;
}

QAction& actionOf(MenuItem& item) {
    MenuItem::Impl& impl = MenuAccess::impl(item);
    if (!impl.action) {
        impl.action = std::make_unique<QAction>(detail::toQt(impl.value));
        QAction& action = *impl.action;
        if (impl.shortcutSet && !impl.shortcut.empty())
            action.setShortcut(keysOf(impl.shortcut));
        action.setEnabled(impl.autoEnabled);
        action.setVisible(impl.visible);
        if (item.MenuRole() == MenuItem::Role::Quit)
            action.setMenuRole(QAction::QuitRole);
        const String name = impl.name;
        QObject::connect(&action, &QAction::triggered, &action, [name] {
            // An item chosen from a menu opened while a long action runs waits for its end,
            // as all input does then; Quit ends the run at once.
            if (detail::inputIsHeld() && !hasQuitRole(name))
                detail::holdUntilTheActionEnds([name] { ChooseMenuItem(name); });
            else
                ChooseMenuItem(name);
        });
    }
    return *impl.action;
}

bool isDrawn(const MenuItem& item) {
    return item.Visible() && !item.Value().empty();
}

} // namespace

namespace detail {

void drawMenuBar(const MenuBar& bar, QMainWindow& window) {
    auto* drawn = new QMenuBar(&window);
    for (std::int64_t i = 0; i < bar.Count(); ++i) {
        MenuItem& top = bar.Item(i);
        if (!isDrawn(top))
            continue;
        QMenu* menu = drawn->addMenu(toQt(top.Value()));
        QObject::connect(menu, &QMenu::aboutToShow, menu, [] {
            enableItemsAsTheyAct();
            if (Window* front = FrontmostWindow())
                Guarded([front] { WindowAccess::enableMenuItems(*front); });
        });
        for (std::int64_t j = 0; j < top.Count(); ++j) {
            MenuItem& item = top.Item(j);
            if (!item.Visible())
                continue;
            if (item.Value() == String("-"))
                menu->addSeparator();
            else if (isDrawn(item))
                menu->addAction(&actionOf(item));
        }
    }
    window.setMenuBar(drawn);
    watchShortcutKeys();
}

void releaseMenuActions(MenuItem& item) {
    MenuAccess::impl(item).action.reset();
    for (std::int64_t i = 0; i < item.Count(); ++i)
        releaseMenuActions(item.Item(i));
}

bool choosingActs(const MenuItem& item) {
    const String& name = item.Name();
    return frontmostHandler(name) || focusedTextCanDo(name) || hasQuitRole(name);
}

} // namespace detail

bool ChooseMenuItem(const String& itemName) {
    if (const std::function<bool()>* handler = frontmostHandler(itemName)) {
        const std::function<bool()> call = *handler;
        return Guarded(call);
    }
    if (detail::actOnFocusedText(itemName))
        return true;
    if (hasQuitRole(itemName)) {
        Quit(0);
        return true;
    }
    return false;
}

} // namespace platform
