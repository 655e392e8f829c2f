#include "platform/testing/DesktopInput.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointingDevice>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <utility>

// The toolkit's entry for the desktop's events is in its platform interface, whose queue is
// what the platform holds input in; the X11 desktop's tablet setting is private.
#include <QtGui/private/qhighdpiscaling_p.h>
#include <QtGui/qpa/qwindowsysteminterface.h>
#include <QtGui/qpa/qwindowsysteminterface_p.h>

namespace platform::testing {

namespace {

using Desktop = QWindowSystemInterface;
using Queued = QWindowSystemInterface::AsynchronousDelivery;

QWindow& nativeWindowOf(Window& window) {
    QWindow* native = detail::WindowAccess::top(window).windowHandle();
    if (!native)
        throw std::logic_error("The window is not shown.");
    return *native;
}

// The point of the content area in the native window's own coordinates.
QPointF inWindow(Window& window, std::int64_t x, std::int64_t y) {
    const QWidget& content = detail::WindowAccess::content(window);
    return content.mapTo(&detail::WindowAccess::top(window),
                         QPointF(static_cast<double>(x), static_cast<double>(y)));
}

// The desktop's clock for the events it sends: presses lie further apart than a double click.
ulong desktopTime(bool press) {
    static ulong time = 0;
    time += press
                ? static_cast<ulong>(QGuiApplication::styleHints()->mouseDoubleClickInterval()) + 1
                : 1;
    return time;
}

// The toolkit works through its queue as it does when the desktop's events arrive.
void workThroughTheQueue() {
    Desktop::flushWindowSystemEvents();
}

// The point of the native window, and the same point on the screen, as the desktop gives them.
QPointF nativeLocal(QWindow& native, const QPointF& local) {
    return QHighDpi::toNativeLocalPosition(local, &native);
}
QPointF nativeGlobal(QWindow& native, const QPointF& local) {
    return QHighDpi::toNativeGlobalPosition(native.mapToGlobal(local), &native);
}

Qt::MouseButtons buttonsDown = Qt::NoButton;

void mouse(Window& window, std::int64_t x, std::int64_t y, QEvent::Type type,
           const QPointingDevice& device = *QPointingDevice::primaryPointingDevice()) {
    LetHeldInputThrough();
    QWindow& native = nativeWindowOf(window);
    const QPointF local = inWindow(window, x, y);
    Qt::MouseButton button = Qt::NoButton;
    if (type == QEvent::MouseButtonPress) {
        button = Qt::LeftButton;
        buttonsDown |= button;
    } else if (type == QEvent::MouseButtonRelease) {
        button = Qt::LeftButton;
        buttonsDown &= ~button;
    }
    Desktop::handleMouseEvent<Queued>(&native, desktopTime(type == QEvent::MouseButtonPress),
                                      &device, nativeLocal(native, local),
                                      nativeGlobal(native, local), buttonsDown, button, type);
    workThroughTheQueue();
}

// A number for each device the tests make, apart from the desktop's own.
qint64 newSystemId() {
    static qint64 last = 4710;
    return ++last;
}

QPointingDevice* newPen() {
    auto* pen = new QPointingDevice(
        QStringLiteral("test pen"), newSystemId(), QInputDevice::DeviceType::Stylus,
        QPointingDevice::PointerType::Pen,
        QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 2);
    Desktop::registerInputDevice(pen);
    return pen;
}

QPointingDevice* newMouse() {
    auto* mouse = new QPointingDevice(
        QStringLiteral("test mouse"), newSystemId(), QInputDevice::DeviceType::Mouse,
        QPointingDevice::PointerType::Generic, QInputDevice::Capability::Position, 1, 3);
    Desktop::registerInputDevice(mouse);
    return mouse;
}

const QPointingDevice& touchScreen() {
    static QPointingDevice* device = QTest::createTouchDevice();
    return *device;
}

const QPointingDevice& tablet() {
    static QPointingDevice* device = newPen();
    return *device;
}

void touch(QWindow& native, const QPointF& local, QEventPoint::State state,
           const QPointingDevice& device) {
    Desktop::TouchPoint point;
    point.id = 1;
    point.state = state;
    point.pressure = state == QEventPoint::State::Released ? 0 : 1;
    const QPointF global = nativeGlobal(native, local);
    point.area = QRectF(global - QPointF(2, 2), QSizeF(4, 4));
    Desktop::handleTouchEvent<Queued>(&native, desktopTime(state == QEventPoint::State::Pressed),
                                      &device, {point});
}

void pen(QWindow& native, const QPointF& local, Qt::MouseButtons buttons,
         const QPointingDevice& device) {
    // As on X11, where the toolkit makes mouse events of what the pen does that no control
    // takes.
    QWindowSystemInterfacePrivate::TabletEvent::setPlatformSynthesizesMouse(false);
    Desktop::handleTabletEvent(&native, desktopTime(buttons != Qt::NoButton), &device,
                               nativeLocal(native, local), nativeGlobal(native, local), buttons,
                               buttons == Qt::NoButton ? 0.0 : 0.5, 0, 0, 0, 0, 0);
}

void tap(Window& window, std::int64_t x, std::int64_t y, Tapper tapper,
         const QPointingDevice& device) {
    if (tapper == Tapper::Mouse) {
        mouse(window, x, y, QEvent::MouseButtonPress, device);
        mouse(window, x, y, QEvent::MouseButtonRelease, device);
        return;
    }
    LetHeldInputThrough();
    QWindow& native = nativeWindowOf(window);
    const QPointF local = inWindow(window, x, y);
    if (tapper == Tapper::Finger) {
        touch(native, local, QEventPoint::State::Pressed, device);
        touch(native, local, QEventPoint::State::Released, device);
    } else {
        pen(native, local, Qt::LeftButton, device);
        pen(native, local, Qt::NoButton, device);
    }
    workThroughTheQueue();
}

// Keys go to the window with the focus, as the desktop sends them; where the focus is on no
// window that shows, to the window the test names.
void key(QWindow& named, int code, Qt::KeyboardModifiers modifiers, const QString& text,
         std::initializer_list<QEvent::Type> types = {QEvent::KeyPress, QEvent::KeyRelease}) {
    LetHeldInputThrough();
    QWindow* focus = QGuiApplication::focusWindow();
    QWindow& native = focus && focus->isVisible() ? *focus : named;
    for (const QEvent::Type type : types)
        Desktop::handleKeyEvent<Queued>(&native, desktopTime(false), type, code, modifiers, text);
    workThroughTheQueue();
}

// A key as PressKeysInWindow names it, with the text that the desktop sends with it: Ctrl with
// a letter gives its control code.
struct Keystroke {
    int code;
    Qt::KeyboardModifiers modifiers;
    QString text;
};
Keystroke keystrokeOf(const std::string& keys) {
    const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(keys));
    if (sequence.isEmpty())
        throw std::invalid_argument("No key in \"" + keys + "\".");
    const QKeyCombination combination = sequence[0];
    const int code = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (code >= Qt::Key_A && code <= Qt::Key_Z && modifiers == Qt::ControlModifier)
        text = QChar(code - Qt::Key_A + 1);
    else if (code >= Qt::Key_Space && code <= Qt::Key_AsciiTilde && modifiers == Qt::NoModifier)
        text = QChar(code).toLower();
    else if (code == Qt::Key_Return || code == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (code == Qt::Key_Escape)
        text = QChar(27);
    return {code, modifiers, text};
}

void keystroke(Window& window, const std::string& keys, std::initializer_list<QEvent::Type> types) {
    const Keystroke stroke = keystrokeOf(keys);
    key(nativeWindowOf(window), stroke.code, stroke.modifiers, stroke.text, types);
}

} // namespace

void PressInWindow(Window& window, std::int64_t x, std::int64_t y) {
    QWindow& native = nativeWindowOf(window);
    if (&native != QGuiApplication::focusWindow())
        native.requestActivate();
    mouse(window, x, y, QEvent::MouseButtonPress);
}

void MoveInWindow(Window& window, std::int64_t x, std::int64_t y) {
    mouse(window, x, y, QEvent::MouseMove);
}

void ReleaseInWindow(Window& window, std::int64_t x, std::int64_t y) {
    mouse(window, x, y, QEvent::MouseButtonRelease);
}

void ClickInWindow(Window& window, std::int64_t x, std::int64_t y) {
    PressInWindow(window, x, y);
    ReleaseInWindow(window, x, y);
}

void TapInWindow(Window& window, std::int64_t x, std::int64_t y, Tapper tapper) {
    switch (tapper) {
    case Tapper::Finger:
        return tap(window, x, y, tapper, touchScreen());
    case Tapper::Pen:
        return tap(window, x, y, tapper, tablet());
    case Tapper::Mouse:
        return tap(window, x, y, tapper, *QPointingDevice::primaryPointingDevice());
    }
}

struct PluggedDevice::Device {
    std::unique_ptr<QPointingDevice> device;
};

PluggedDevice::PluggedDevice(Tapper kind) : m_kind(kind), m_device(new Device) {
    switch (kind) {
    case Tapper::Finger:
        m_device->device.reset(QTest::createTouchDevice());
        break;
    case Tapper::Pen:
        m_device->device.reset(newPen());
        break;
    case Tapper::Mouse:
        m_device->device.reset(newMouse());
        break;
    }
}

PluggedDevice::~PluggedDevice() {
    Unplug();
}

void PluggedDevice::Unplug() {
    delete std::exchange(m_device, nullptr);
}

void TapInWindow(Window& window, std::int64_t x, std::int64_t y, const PluggedDevice& device) {
    if (!device.m_device)
        throw std::logic_error("The device is unplugged.");
    tap(window, x, y, device.m_kind, *device.m_device->device);
}

void PointerEntersWindow(Window& window, std::int64_t x, std::int64_t y) {
    LetHeldInputThrough();
    QWindow& native = nativeWindowOf(window);
    const QPointF local = inWindow(window, x, y);
    Desktop::handleEnterEvent<Queued>(&native, nativeLocal(native, local),
                                      nativeGlobal(native, local));
    workThroughTheQueue();
}

void PointerLeavesWindow(Window& window) {
    LetHeldInputThrough();
    Desktop::handleLeaveEvent<Queued>(&nativeWindowOf(window));
    workThroughTheQueue();
}

void TypeInWindow(Window& window, const String& text) {
    QWindow& native = nativeWindowOf(window);
    const QString characters = detail::toQt(text);
    for (const QChar character : characters) {
        const char16_t unit = character.toUpper().unicode();
        key(native, unit < 0x80 ? static_cast<int>(unit) : Qt::Key_unknown, Qt::NoModifier,
            QString(character));
    }
}

void PressKeysInWindow(Window& window, const std::string& keys) {
    keystroke(window, keys, {QEvent::KeyPress, QEvent::KeyRelease});
}

void KeyDownInWindow(Window& window, const std::string& keys) {
    keystroke(window, keys, {QEvent::KeyPress});
}

void KeyUpInWindow(Window& window, const std::string& keys) {
    keystroke(window, keys, {QEvent::KeyRelease});
}

void CloseFromTheDesktop(Window& window) {
    LetHeldInputThrough();
    Desktop::handleCloseEvent<Queued>(&nativeWindowOf(window));
    workThroughTheQueue();
}

Point MenuBarMiddle(Window& window) {
    auto& top = static_cast<QMainWindow&>(detail::WindowAccess::top(window));
    const QWidget* bar = top.menuWidget();
    if (!bar)
        throw std::logic_error("The window carries no menu bar.");
    const QPoint middle = bar->mapTo(&top, bar->rect().center());
    const QPoint inContent = detail::WindowAccess::content(window).mapFrom(&top, middle);
    return {inContent.x(), inContent.y()};
}

// Each input starts with this: a user's inputs come a while apart, and by the next one the
// event loop has handed back what was held.
void LetHeldInputThrough() {
    for (int turn = 0; turn < 1000 && detail::heldInputWaits() && !detail::inputIsHeld(); ++turn)
        QCoreApplication::processEvents();
}

class KeyDeliveries::Recorder : public QObject {
  public:
    explicit Recorder(std::vector<std::string>& seen) : m_seen(seen) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
            qobject_cast<QWindow*>(receiver))
            m_seen.push_back(
                (type == QEvent::KeyPress ? "press " : "release ") +
                QKeySequence(static_cast<QKeyEvent*>(event)->key()).toString().toStdString());
        return false;
    }

  private:
    std::vector<std::string>& m_seen;
};

KeyDeliveries::KeyDeliveries() : m_recorder(std::make_unique<Recorder>(seen)) {}
KeyDeliveries::~KeyDeliveries() = default;

bool IsDown(PushButton& button) {
    return static_cast<QAbstractButton&>(detail::ControlAccess::widget(button)).isDown();
}

bool IsUnderPointer(RectControl& control) {
    return detail::ControlAccess::widget(control).underMouse();
}

bool AMenuIsOpen() {
    return QApplication::activePopupWidget() != nullptr;
}

} // namespace platform::testing
