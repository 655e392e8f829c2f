#include "platform/desktop/MenuBar.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/Menus_p.h"
#include "platform/desktop/Window.h"

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <array>
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

// The Edit items, as the focused text control serves them.
struct EditItem {
    const char* name;
    std::function<void(QLineEdit&)> field;
    std::function<void(QPlainTextEdit&)> area;
};

const std::array<EditItem, 5>& editItems() {
    static const std::array<EditItem, 5> items{{
        {"EditUndo", &QLineEdit::undo, &QPlainTextEdit::undo},
        {"EditCut", &QLineEdit::cut, &QPlainTextEdit::cut},
        {"EditCopy", &QLineEdit::copy, &QPlainTextEdit::copy},
        {"EditPaste", &QLineEdit::paste, &QPlainTextEdit::paste},
        {"EditClear", [](QLineEdit& field) { field.del(); },
         [](QPlainTextEdit& area) { area.textCursor().removeSelectedText(); }},
    }};
    return items;
}

bool actOnFocusedText(const String& itemName) {
    for (const EditItem& item : editItems()) {
        if (itemName != String(item.name))
            continue;
        // The control that holds the focus in the window in front, whose bar was used.
        Window* front = FrontmostWindow();
        QWidget* focused = front ? detail::WindowAccess::top(*front).focusWidget() : nullptr;
        const bool copies = itemName == String("EditCopy");
        if (auto* field = qobject_cast<QLineEdit*>(focused);
            field && (copies || !field->isReadOnly())) {
            item.field(*field);
            return true;
        }
        if (auto* area = qobject_cast<QPlainTextEdit*>(focused);
            area && (copies || !area->isReadOnly())) {
            item.area(*area);
            return true;
        }
        return false;
    }
    return false;
}

bool hasQuitRole(const String& itemName) {
    const Application* application = App();
    const MenuBar* bar = application ? application->MenuBar() : nullptr;
    const MenuItem* item = bar ? findItem(*bar, itemName) : nullptr;
    return item && item->MenuRole() == MenuItem::Role::Quit;
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
}

void releaseMenuActions(MenuItem& item) {
    MenuAccess::impl(item).action.reset();
    for (std::int64_t i = 0; i < item.Count(); ++i)
        releaseMenuActions(item.Item(i));
}

} // namespace detail

bool ChooseMenuItem(const String& itemName) {
    if (Window* front = FrontmostWindow())
        if (const std::function<bool()>* handler =
                detail::WindowAccess::menuHandler(*front, itemName)) {
            const std::function<bool()> call = *handler;
            return Guarded(call);
        }
    if (actOnFocusedText(itemName))
        return true;
    if (hasQuitRole(itemName)) {
        Quit(0);
        return true;
    }
    return false;
}

} // namespace platform
