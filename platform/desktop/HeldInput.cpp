#include "platform/desktop/Application_p.h"
#include "platform/desktop/HandlerScope.h"
#include "platform/desktop/HeldInput_p.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <memory>
#include <set>
#include <utility>

// The toolkit's window-system interface is where the desktop's input enters it, before any
// rule of focus, modality, enter and leave or touch translation has been applied; holding input
// there and handing it back later lets the toolkit apply those rules as for fresh input. Qt
// exposes that entry only in its private headers (Debian's qt6-base-private-dev).
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qwindowsysteminterface_p.h>

namespace platform::detail {

namespace {

using SystemInput = QWindowSystemInterfacePrivate;
using SystemEvent = SystemInput::WindowSystemEvent;

// One piece of held input: an event as the desktop reported it, or a menu choice.
struct HeldPiece {
    std::unique_ptr<SystemEvent> event;
    std::function<void()> choice;
};

// A press and all that follows it until the last button is up go one way: all held, or all
// through at once. So do a touch from its first contact to its end, and a pen's.
enum class Sequence { None, Held, Through };

struct HoldState {
    bool holding = false;
    // From the return of the outermost handler until all that was held has been handed back;
    // paused while a piece handed back runs a long action of its own.
    bool replaying = false;
    bool replayAsked = false;
    bool turnAsked = false;
    std::deque<HeldPiece> held;
    Sequence mouse = Sequence::None;
    Sequence touch = Sequence::None;
    Sequence pen = Sequence::None;
    // Keys whose press came through at once: their release follows it.
    std::set<int> keysThrough;
};

HoldState state;

bool menuIsOpen() {
    return QApplication::activePopupWidget() != nullptr;
}

// Whether new input goes to the end of the line: while input is held, and while what was held
// is being handed back, so that nothing overtakes it.
bool inputWaitsNow() {
    return (state.holding || (state.replaying && !state.held.empty())) && !menuIsOpen();
}

QWidget* widgetOfWindow(const QWindow* window) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window)
            return top;
    return nullptr;
}

// A press on a window's menu bar opens its menus, from which Quit can be chosen.
bool pressesAMenuBar(const SystemInput::MouseEvent& mouse) {
    QWidget* top = widgetOfWindow(mouse.window.data());
    for (QWidget* under = top ? top->childAt(mouse.localPos.toPoint()) : nullptr; under;
         under = under->parentWidget())
        if (qobject_cast<QMenuBar*>(under))
            return true;
    return false;
}

// Whether the key chooses the Quit item of the window's own menu bar, which is where the
// toolkit looks for the shortcuts of a window's menus.
bool isQuitShortcut(const SystemInput::KeyEvent& key) {
    if (key.keyType != QEvent::KeyPress)
        return false;
    const QWindow* window = key.window ? key.window.data() : QGuiApplication::focusWindow();
    QWidget* top = widgetOfWindow(window);
    if (!top)
        return false;
    const QKeySequence pressed(
        QKeyCombination(key.modifiers & ~Qt::KeypadModifier, static_cast<Qt::Key>(key.key)));
    for (const QMenuBar* bar : top->findChildren<QMenuBar*>())
        for (const QAction* entry : bar->actions())
            if (const QMenu* menu = entry->menu())
                for (const QAction* item : menu->actions())
                    if (item->menuRole() == QAction::QuitRole && item->isEnabled() &&
                        item->shortcuts().contains(pressed))
                        return true;
    return false;
}

// Decides for the first event of a sequence, and follows that decision until it ends.
bool waitsInSequence(Sequence& sequence, bool starts, bool ends, bool startsThrough = false) {
    if (sequence == Sequence::None && starts)
        sequence = inputWaitsNow() && !startsThrough ? Sequence::Held : Sequence::Through;
    const bool waits = sequence == Sequence::None ? inputWaitsNow() : sequence == Sequence::Held;
    if (ends)
        sequence = Sequence::None;
    return waits;
}

bool isPress(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::NonClientAreaMouseButtonPress ||
           type == QEvent::NonClientAreaMouseButtonDblClick;
}

bool mustWait(const SystemEvent& event) {
    switch (event.type) {
    case SystemInput::Mouse: {
        const auto& mouse = static_cast<const SystemInput::MouseEvent&>(event);
        const bool press = isPress(mouse.buttonType);
        return waitsInSequence(state.mouse, press, mouse.buttons == Qt::NoButton,
                               press && pressesAMenuBar(mouse));
    }
    case SystemInput::Touch: {
        const auto& touch = static_cast<const SystemInput::TouchEvent&>(event);
        return waitsInSequence(state.touch, touch.touchType == QEvent::TouchBegin,
                               touch.touchType == QEvent::TouchEnd ||
                                   touch.touchType == QEvent::TouchCancel);
    }
    case SystemInput::Tablet: {
        const auto& pen = static_cast<const SystemInput::TabletEvent&>(event);
        return waitsInSequence(state.pen, pen.buttons != Qt::NoButton, pen.buttons == Qt::NoButton);
    }
    case SystemInput::Key: {
        const auto& key = static_cast<const SystemInput::KeyEvent&>(event);
        if (isQuitShortcut(key)) {
            state.keysThrough.insert(key.key);
            return false;
        }
        if (key.keyType == QEvent::KeyRelease && state.keysThrough.erase(key.key))
            return false;
        return inputWaitsNow();
    }
    case SystemInput::Wheel:
    case SystemInput::Enter:
    case SystemInput::Leave:
    case SystemInput::TabletEnterProximity:
    case SystemInput::TabletLeaveProximity:
    case SystemInput::ContextMenu:
    case SystemInput::PlatformPanel:
#ifndef QT_NO_GESTURES
    case SystemInput::Gesture:
#endif
        return inputWaitsNow();
    default:
        // Close requests, and everything that is not input, come through at once.
        return false;
    }
}

template <class E> std::unique_ptr<SystemEvent> copyAs(const SystemEvent& event) {
    return std::make_unique<E>(static_cast<const E&>(event));
}

std::unique_ptr<SystemEvent> copyOf(const SystemEvent& event) {
    switch (event.type) {
    case SystemInput::Mouse:
        return copyAs<SystemInput::MouseEvent>(event);
    case SystemInput::Touch:
        return copyAs<SystemInput::TouchEvent>(event);
    case SystemInput::Tablet:
        return copyAs<SystemInput::TabletEvent>(event);
    case SystemInput::Key:
        return copyAs<SystemInput::KeyEvent>(event);
    case SystemInput::Wheel:
        return copyAs<SystemInput::WheelEvent>(event);
    case SystemInput::Enter:
        return copyAs<SystemInput::EnterEvent>(event);
    case SystemInput::Leave:
        return copyAs<SystemInput::LeaveEvent>(event);
    case SystemInput::TabletEnterProximity:
        return copyAs<SystemInput::TabletEnterProximityEvent>(event);
    case SystemInput::TabletLeaveProximity:
        return copyAs<SystemInput::TabletLeaveProximityEvent>(event);
    case SystemInput::ContextMenu:
        return copyAs<SystemInput::ContextMenuEvent>(event);
    case SystemInput::PlatformPanel:
        return copyAs<SystemInput::PlatformPanelEvent>(event);
#ifndef QT_NO_GESTURES
    case SystemInput::Gesture:
        return copyAs<SystemInput::GestureEvent>(event);
#endif
    default:
        return nullptr;
    }
}

// A window takes input while it is there and shown: a closed or hidden one gets none.
bool takesInput(const QWindow* window) {
    return window && window->isVisible();
}

bool isBlocked(QWindow* window) {
    return QGuiApplicationPrivate::instance()->isWindowBlocked(window);
}

// Where a held key goes now: to the window with the focus, or to the modal dialog that is taking
// the focus from a window that it blocks (the desktop's word of the dialog's activation may still
// be on its way). Where the focus is on no window that takes input, the key goes where it was
// aimed, if that window still takes it.
QWindow* keyWindowNow(QWindow* aimedAt) {
    QWindow* focus = QGuiApplication::focusWindow();
    QWindow* modal = QGuiApplication::modalWindow();
    if (modal && (!takesInput(focus) || isBlocked(focus)))
        return takesInput(modal) ? modal : nullptr;
    if (takesInput(focus))
        return focus;
    return takesInput(aimedAt) && !isBlocked(aimedAt) ? aimedAt : nullptr;
}

// Aims the event where input of its kind goes now; false when it goes nowhere. The toolkit
// itself drops what a modal dialog blocks.
bool aimNow(SystemEvent& event) {
    switch (event.type) {
    case SystemInput::Key: {
        auto& key = static_cast<SystemInput::KeyEvent&>(event);
        key.window = keyWindowNow(key.window);
        key.flags &= ~SystemEvent::NullWindow;
        return key.window != nullptr;
    }
    case SystemInput::Enter:
        return takesInput(static_cast<SystemInput::EnterEvent&>(event).enter);
    case SystemInput::Leave:
        return static_cast<SystemInput::LeaveEvent&>(event).leave != nullptr;
    case SystemInput::ContextMenu:
        return takesInput(static_cast<SystemInput::ContextMenuEvent&>(event).window);
    case SystemInput::PlatformPanel:
        return takesInput(static_cast<SystemInput::PlatformPanelEvent&>(event).window);
    case SystemInput::TabletEnterProximity:
    case SystemInput::TabletLeaveProximity:
        return true;
    default: {
        const auto& user = static_cast<SystemInput::UserEvent&>(event);
        return user.nullWindow() || takesInput(user.window);
    }
    }
}

// Sees every event that the desktop reports, and keeps what has to wait.
class InputHolder : public QWindowSystemEventHandler {
  public:
    bool sendEvent(SystemEvent* event) override;
    void handBack(SystemEvent& event) { QWindowSystemEventHandler::sendEvent(&event); }
};

InputHolder& holder() {
    static InputHolder* installed = [] {
        static InputHolder one;
        SystemInput::installWindowSystemEventHandler(&one);
        return &one;
    }();
    return *installed;
}

void askForTurn();
void askForReplay();

// One turn of the replay: hands back the oldest piece held.
void handBackNext() {
    state.turnAsked = false;
    if (state.holding) {
        // A piece handed back earlier runs a long action: the rest waits for its end.
        state.replaying = false;
        askForReplay();
        return;
    }
    if (requestedExitCode()) {
        // The run ends; nothing more is done for the user.
        state.held.clear();
        state.replaying = false;
        return;
    }
    if (state.held.empty()) {
        state.replaying = false;
        return;
    }
    HeldPiece next = std::move(state.held.front());
    state.held.pop_front();
    // Asked for before the delivery, so that a modal dialog that it opens runs the next turn.
    if (state.held.empty())
        state.replaying = false;
    else
        askForTurn();
    if (next.choice)
        next.choice();
    else if (aimNow(*next.event))
        holder().handBack(*next.event);
}

void askForTurn() {
    QCoreApplication* application = QCoreApplication::instance();
    if (state.turnAsked || !application)
        return;
    state.turnAsked = true;
    QMetaObject::invokeMethod(application, &handBackNext, Qt::QueuedConnection);
}

void startReplay() {
    state.replayAsked = false;
    state.replaying = true;
    askForTurn();
}

// The replay starts once the outermost handler has returned.
void askForReplay() {
    if (!std::exchange(state.replayAsked, true))
        whenHandlersReturn(&startReplay);
}

bool InputHolder::sendEvent(SystemEvent* event) {
    if (event && mustWait(*event))
        if (std::unique_ptr<SystemEvent> kept = copyOf(*event)) {
            state.held.push_back({std::move(kept), {}});
            askForReplay();
            return true;
        }
    return QWindowSystemEventHandler::sendEvent(event);
}

} // namespace

bool InputHold::setInputHeld(bool hold) {
    if (hold && QCoreApplication::instance())
        holder();
    return std::exchange(state.holding, hold);
}

bool inputIsHeld() noexcept {
    return state.holding;
}

void holdUntilTheActionEnds(std::function<void()> delivery) {
    // What comes after it must wait behind it.
    if (QCoreApplication::instance())
        holder();
    state.held.push_back({nullptr, std::move(delivery)});
    askForReplay();
}

bool heldInputWaits() noexcept {
    return !state.held.empty();
}

} // namespace platform::detail
