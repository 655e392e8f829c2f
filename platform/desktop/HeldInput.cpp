#include "platform/desktop/HandlerScope.h"
#include "platform/desktop/HeldInput_p.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

namespace platform::detail {

namespace {

bool holding = false;
std::vector<std::function<void()>> held;
bool replayAsked = false;

// The top-level widget that the toolkit's window belongs to.
QWidget* widgetOfWindow(const QWindow& window) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == &window)
            return top;
    return nullptr;
}

// A press or a move over a window's menu bar opens its menus, from which Quit can be chosen.
bool reachesAMenuBar(const QWindow& window, const QEvent& event) {
    const auto* mouse = dynamic_cast<const QMouseEvent*>(&event);
    QWidget* top = mouse ? widgetOfWindow(window) : nullptr;
    for (QWidget* under = top ? top->childAt(mouse->position().toPoint()) : nullptr; under;
         under = under->parentWidget())
        if (qobject_cast<QMenuBar*>(under))
            return true;
    return false;
}

bool isQuitShortcut(QObject& receiver, const QEvent& event) {
    const auto* action = qobject_cast<QAction*>(&receiver);
    return event.type() == QEvent::Shortcut && action && action->menuRole() == QAction::QuitRole;
}

// Whether the event is input that has to wait.
bool mustWait(QObject& receiver, const QEvent& event) {
    if (event.type() == QEvent::Shortcut)
        return !isQuitShortcut(receiver, event);
    const auto* window = qobject_cast<QWindow*>(&receiver);
    if (!window || !event.isInputEvent())
        return false;
    // An open menu takes every key and click until it closes.
    if (QApplication::activePopupWidget())
        return false;
    return !reachesAMenuBar(*window, event);
}

// Gives a rebuilt event the time of the one it stands for.
template <class E> std::shared_ptr<QEvent> stamped(std::shared_ptr<E> made, quint64 timestamp) {
    made->setTimestamp(timestamp);
    return made;
}

// Makes, at delivery time, an event that says what `event` says now. A pointer event's points
// are shared with its device's, which the toolkit goes on moving, so mouse, wheel and enter
// events are rebuilt from their values; others are copied once.
std::function<std::shared_ptr<QEvent>()> maker(const QEvent& event) {
    if (const auto* mouse = dynamic_cast<const QMouseEvent*>(&event))
        return [type = mouse->type(), local = mouse->position(), scene = mouse->scenePosition(),
                global = mouse->globalPosition(), button = mouse->button(),
                buttons = mouse->buttons(), modifiers = mouse->modifiers(),
                device = mouse->pointingDevice(), time = mouse->timestamp()] {
            return stamped(std::make_shared<QMouseEvent>(type, local, scene, global, button,
                                                         buttons, modifiers, device),
                           time);
        };
    if (const auto* wheel = dynamic_cast<const QWheelEvent*>(&event))
        return [local = wheel->position(), global = wheel->globalPosition(),
                pixels = wheel->pixelDelta(), angle = wheel->angleDelta(),
                buttons = wheel->buttons(), modifiers = wheel->modifiers(), phase = wheel->phase(),
                inverted = wheel->inverted(), source = wheel->source(),
                device = wheel->pointingDevice(), time = wheel->timestamp()] {
            return stamped(std::make_shared<QWheelEvent>(local, global, pixels, angle, buttons,
                                                         modifiers, phase, inverted, source,
                                                         device),
                           time);
        };
    if (const auto* enter = dynamic_cast<const QEnterEvent*>(&event))
        return [local = enter->position(), scene = enter->scenePosition(),
                global = enter->globalPosition(), device = enter->pointingDevice(),
                time = enter->timestamp()] {
            return stamped(std::make_shared<QEnterEvent>(local, scene, global, device), time);
        };
    return [copy = std::shared_ptr<QEvent>(event.clone())] { return copy; };
}

void replayHeld() {
    replayAsked = false;
    for (std::function<void()>& delivery : std::exchange(held, {}))
        delivery();
}

// Watches every event the toolkit delivers; it lets everything pass unless input is held.
class InputWatcher : public QObject {
  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!holding || !receiver || !mustWait(*receiver, *event))
            return false;
        holdUntilTheActionEnds([target = QPointer<QObject>(receiver), make = maker(*event)] {
            if (target)
                QCoreApplication::sendEvent(target, make().get());
        });
        return true;
    }
};

void watchInput() {
    static QPointer<InputWatcher> watcher;
    if (watcher || !QCoreApplication::instance())
        return;
    watcher = new InputWatcher();
    watcher->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watcher);
}

} // namespace

bool InputHold::setInputHeld(bool hold) {
    if (hold)
        watchInput();
    return std::exchange(holding, hold);
}

bool inputIsHeld() noexcept {
    return holding;
}

void holdUntilTheActionEnds(std::function<void()> delivery) {
    held.push_back(std::move(delivery));
    if (std::exchange(replayAsked, true))
        return;
    // The replay goes through the event loop: delivered from inside the handler that returns,
    // a press or a key would reach widgets in the middle of their own event.
    whenHandlersReturn([] {
        if (QCoreApplication* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(application, &replayHeld, Qt::QueuedConnection);
    });
}

} // namespace platform::detail
