#include "platform/desktop/Application.h"
#include "platform/desktop/MenuBar.h"
#include "platform/desktop/Menus_p.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>

namespace platform::detail {

namespace {

template <class Visit> void forEachDrawnItem(const MenuItem& menu, const Visit& visit) {
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        const MenuItem& item = menu.Item(i);
        if (MenuAccess::impl(item).action)
            visit(item, *MenuAccess::impl(item).action);
        forEachDrawnItem(item, visit);
    }
}

const MenuBar* installedBar() {
    const Application* application = App();
    return application ? application->MenuBar() : nullptr;
}

// Menu shortcuts carry the command key ("Cmd+" is Ctrl here); one without a modifier matches
// its own key. Other keys, which is all the typing, leave the items as they are.
bool mayBeAShortcut(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QKeySequence pressed(key.keyCombination());
    bool matches = false;
    if (const MenuBar* bar = installedBar())
        forEachDrawnItem(*bar, [&](const MenuItem&, const QAction& action) {
            matches = matches || action.shortcut() == pressed;
        });
    return matches;
}

// The toolkit offers every key to the focused control as a ShortcutOverride before it looks
// for a shortcut that the key fires, so that is the moment to bring the items up to date.
class ShortcutKeyWatcher : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            mayBeAShortcut(static_cast<const QKeyEvent&>(*event)))
            enableItemsAsTheyAct();
        return false;
    }
};

} // namespace

void enableItemsAsTheyAct() {
    if (const MenuBar* bar = installedBar())
        forEachDrawnItem(*bar, [](const MenuItem& item, QAction& action) {
            action.setEnabled(item.AutoEnabled() && choosingActs(item));
        });
}

void watchShortcutKeys() {
    static QPointer<ShortcutKeyWatcher> watcher;
    if (watcher || !QCoreApplication::instance())
        return;
    watcher = new ShortcutKeyWatcher();
    watcher->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

} // namespace platform::detail
