#include "platform/desktop/Application_p.h"
#include "platform/desktop/HandlerScope.h"
#include "platform/desktop/HeldInput_p.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPointingDevice>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <map>
#include <memory>
#include <utility>

// The toolkit's window-system interface is where the desktop's input enters it, before any
// rule of focus, modality, enter and leave or touch translation has been applied; holding input
// there and handing it back later lets the toolkit apply those rules as for fresh input. Qt
// exposes that entry only in its private headers (Debian's qt6-base-private-dev).
#include <QtGui/private/qeventpoint_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qwindowsysteminterface_p.h>

namespace platform::detail {

namespace {

using SystemInput = QWindowSystemInterfacePrivate;
using SystemEvent = SystemInput::WindowSystemEvent;

// The device that a piece of held input came from. The desktop deletes its object for a device
// that is unplugged, which may happen while the input waits, so the piece keeps it guarded, with
// what it takes to find another of its kind.
struct HeldDevice {
    bool given = false;
    QPointer<const QInputDevice> device;
    QInputDevice::DeviceType type = QInputDevice::DeviceType::Unknown;
    QPointingDevice::PointerType pointerType = QPointingDevice::PointerType::Unknown;
    QString seat;
};

// One piece of held input: an event as the desktop reported it, with its devices taken out and
// kept apart, or a menu choice.
struct HeldPiece {
    std::unique_ptr<SystemEvent> event;
    HeldDevice device;
    HeldDevice keySource;
    bool pointsNamedTheDevice = false;
    std::function<void()> choice;
};

// A press and all that follows it until the last button is up go one way: all held, or all
// through at once. So do a touch from its first contact to its end, a pen's stroke, and a key
// from its press to its release.
enum class Sequence { None, Held, Through };

// What becomes of an event that the desktop reports.
enum class Way { Through, Held, Nowhere };

// A key, as its press and its release both name it: by the keyboard's own code for it where the
// desktop gives one, since the toolkit's may change with the modifiers in between.
using KeyIdentity = std::pair<quint32, int>;

struct InputOnHold {
    bool holding = false;
    // From the return of the outermost handler until all that was held has been handed back;
    // paused while a piece handed back runs a long action of its own.
    bool replaying = false;
    bool replayAsked = false;
    bool turnAsked = false;
    std::deque<HeldPiece> pieces;
    Sequence mouse = Sequence::None;
    Sequence touch = Sequence::None;
    Sequence pen = Sequence::None;
    // Keys that are down, with the way their press went.
    std::map<KeyIdentity, Sequence> keysDown;
};

InputOnHold onHold;

bool menuIsOpen() {
    return QApplication::activePopupWidget() != nullptr;
}

// Whether new input goes to the end of the line: while input is held, and while what was held
// is being handed back, so that nothing overtakes it.
bool inputWaitsNow() {
    return (onHold.holding || (onHold.replaying && !onHold.pieces.empty())) && !menuIsOpen();
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

// A key's press decides for it, the Quit shortcut coming through at once; its release goes the
// way its press went, and one whose press was never seen goes nowhere.
Way wayOfKey(const SystemInput::KeyEvent& key) {
    const KeyIdentity identity{key.nativeScanCode, key.nativeScanCode ? 0 : key.key};
    if (key.keyType == QEvent::KeyPress) {
        // A press decides afresh: the release of an earlier one may have been lost.
        const Sequence way =
            !isQuitShortcut(key) && inputWaitsNow() ? Sequence::Held : Sequence::Through;
        onHold.keysDown[identity] = way;
        return way == Sequence::Held ? Way::Held : Way::Through;
    }
    const auto down = onHold.keysDown.find(identity);
    if (down == onHold.keysDown.end())
        return Way::Nowhere;
    const Sequence way = down->second;
    onHold.keysDown.erase(down);
    return way == Sequence::Held ? Way::Held : Way::Through;
}

bool mustWait(const SystemEvent& event) {
    switch (event.type) {
    case SystemInput::Mouse: {
        const auto& mouse = static_cast<const SystemInput::MouseEvent&>(event);
        const bool press = isPress(mouse.buttonType);
        return waitsInSequence(onHold.mouse, press, mouse.buttons == Qt::NoButton,
                               press && pressesAMenuBar(mouse));
    }
    case SystemInput::Touch: {
        const auto& touch = static_cast<const SystemInput::TouchEvent&>(event);
        return waitsInSequence(onHold.touch, touch.touchType == QEvent::TouchBegin,
                               touch.touchType == QEvent::TouchEnd ||
                                   touch.touchType == QEvent::TouchCancel);
    }
    case SystemInput::Tablet: {
        const auto& pen = static_cast<const SystemInput::TabletEvent&>(event);
        return waitsInSequence(onHold.pen, pen.buttons != Qt::NoButton,
                               pen.buttons == Qt::NoButton);
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

Way wayOf(const SystemEvent& event) {
    if (event.type == SystemInput::Key)
        return wayOfKey(static_cast<const SystemInput::KeyEvent&>(event));
    return mustWait(event) ? Way::Held : Way::Through;
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

// The events that name the device they came from.
bool namesItsDevice(SystemInput::EventType type) {
    switch (type) {
    case SystemInput::Mouse:
    case SystemInput::Wheel:
    case SystemInput::Key:
    case SystemInput::Touch:
    case SystemInput::Tablet:
    case SystemInput::TabletEnterProximity:
    case SystemInput::TabletLeaveProximity:
#ifndef QT_NO_GESTURES
    case SystemInput::Gesture:
#endif
        return true;
    default:
        return false;
    }
}

HeldDevice heldDeviceOf(const QInputDevice* device) {
    HeldDevice held;
    if (!device)
        return held;
    held.given = true;
    held.device = device;
    held.type = device->type();
    if (const auto* pointing = qobject_cast<const QPointingDevice*>(device))
        held.pointerType = pointing->pointerType();
    held.seat = device->seatName();
    return held;
}

// The held device if it is still there; else the primary one of its kind, on its seat if there
// is one there: the desktop always has a mouse and a keyboard, not always a touch screen or a
// pen. nullptr when there is none.
const QInputDevice* deviceNow(const HeldDevice& held) {
    if (held.device)
        return held.device.data();
    if (held.type == QInputDevice::DeviceType::Mouse)
        return QPointingDevice::primaryPointingDevice(held.seat);
    if (held.type == QInputDevice::DeviceType::Keyboard)
        return QInputDevice::primaryKeyboard(held.seat);
    const QInputDevice* onAnotherSeat = nullptr;
    for (const QInputDevice* candidate : QInputDevice::devices()) {
        const auto* pointing = qobject_cast<const QPointingDevice*>(candidate);
        if (candidate->type() != held.type || !pointing ||
            pointing->pointerType() != held.pointerType)
            continue;
        if (candidate->seatName() == held.seat)
            return candidate;
        if (!onAnotherSeat)
            onAnotherSeat = candidate;
    }
    return onAnotherSeat;
}

// Takes the devices out of a held event, so that it keeps nothing that can disappear.
void keepDevicesApart(HeldPiece& piece) {
    SystemEvent& event = *piece.event;
    if (!namesItsDevice(event.type))
        return;
    auto& input = static_cast<SystemInput::InputEvent&>(event);
    piece.device = heldDeviceOf(std::exchange(input.device, nullptr));
    if (event.type == SystemInput::Key) {
        auto& key = static_cast<SystemInput::KeyEvent&>(event);
        piece.keySource = heldDeviceOf(std::exchange(key.source, nullptr));
    } else if (event.type == SystemInput::Touch) {
        for (QEventPoint& point : static_cast<SystemInput::TouchEvent&>(event).points) {
            if (!point.device())
                continue;
            piece.pointsNamedTheDevice = true;
            QMutableEventPoint::detach(point);
            QMutableEventPoint::setDevice(point, nullptr);
        }
    }
}

// Gives a held event its devices back, as they are now; false when its kind of device has gone.
bool putDevicesBack(HeldPiece& piece) {
    SystemEvent& event = *piece.event;
    if (!namesItsDevice(event.type))
        return true;
    const QInputDevice* device = piece.device.given ? deviceNow(piece.device) : nullptr;
    if (piece.device.given && !device)
        return false;
    static_cast<SystemInput::InputEvent&>(event).device = device;
    if (event.type == SystemInput::Key) {
        static_cast<SystemInput::KeyEvent&>(event).source =
            piece.keySource.given ? deviceNow(piece.keySource) : nullptr;
    } else if (event.type == SystemInput::Touch && piece.pointsNamedTheDevice) {
        const auto* pointing = static_cast<const QPointingDevice*>(device);
        for (QEventPoint& point : static_cast<SystemInput::TouchEvent&>(event).points)
            QMutableEventPoint::setDevice(point, pointing);
    }
    return true;
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
    static InputHolder* const installedHolder = [] {
        static InputHolder theHolder;
        SystemInput::installWindowSystemEventHandler(&theHolder);
        return &theHolder;
    }();
    return *installedHolder;
}

void askForTurn();
void askForReplay();

// One turn of the replay: hands back the oldest piece held.
void handBackNext() {
    onHold.turnAsked = false;
    if (onHold.holding) {
        // A piece handed back earlier runs a long action: the rest waits for its end.
        onHold.replaying = false;
        askForReplay();
        return;
    }
    if (requestedExitCode()) {
        // The run ends; nothing more is done for the user.
        onHold.pieces.clear();
        onHold.replaying = false;
        return;
    }
    if (onHold.pieces.empty()) {
        onHold.replaying = false;
        return;
    }
    HeldPiece next = std::move(onHold.pieces.front());
    onHold.pieces.pop_front();
    // Asked for before the delivery, so that a modal dialog that it opens runs the next turn.
    if (onHold.pieces.empty())
        onHold.replaying = false;
    else
        askForTurn();
    if (next.choice)
        next.choice();
    else if (aimNow(*next.event) && putDevicesBack(next))
        holder().handBack(*next.event);
}

void askForTurn() {
    QCoreApplication* application = QCoreApplication::instance();
    if (onHold.turnAsked || !application)
        return;
    onHold.turnAsked = true;
    QMetaObject::invokeMethod(application, &handBackNext, Qt::QueuedConnection);
}

void startReplay() {
    onHold.replayAsked = false;
    onHold.replaying = true;
    askForTurn();
}

// The replay starts once the outermost handler has returned.
void askForReplay() {
    if (!std::exchange(onHold.replayAsked, true))
        whenHandlersReturn(&startReplay);
}

bool InputHolder::sendEvent(SystemEvent* event) {
    if (!event)
        return QWindowSystemEventHandler::sendEvent(event);
    switch (wayOf(*event)) {
    case Way::Nowhere:
        return true;
    case Way::Held:
        if (std::unique_ptr<SystemEvent> kept = copyOf(*event)) {
            HeldPiece piece;
            piece.event = std::move(kept);
            keepDevicesApart(piece);
            onHold.pieces.push_back(std::move(piece));
            askForReplay();
            return true;
        }
        break;
    case Way::Through:
        break;
    }
    return QWindowSystemEventHandler::sendEvent(event);
}

} // namespace

void installInputHolder() {
    holder();
}

bool InputHold::setInputHeld(bool hold) {
    return std::exchange(onHold.holding, hold);
}

bool inputIsHeld() noexcept {
    return onHold.holding;
}

void holdUntilTheActionEnds(std::function<void()> delivery) {
    // What comes after it must wait behind it.
    HeldPiece piece;
    piece.choice = std::move(delivery);
    onHold.pieces.push_back(std::move(piece));
    askForReplay();
}

bool heldInputWaits() noexcept {
    return !onHold.pieces.empty();
}

} // namespace platform::detail
