#include "platform/desktop/Window.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/MenuBar.h"
#include "platform/desktop/Menus_p.h"
#include "platform/desktop/PaneChild.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/RectControl.h"
#include "platform/desktop/Windows_p.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace platform {

namespace detail {
class WindowWidget;
}

namespace {
// The window whose Activate ran last, while it is still the active one as far as its handlers
// know; nullptr when none is.
Window* toldActive = nullptr;
} // namespace

struct Window::Impl {
    detail::WindowWidget* top = nullptr;
    QWidget* content = nullptr;
    std::vector<std::pair<String, std::unique_ptr<Control>>> controls;
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers;
    bool open = false;
    PushButton* defaultButton = nullptr;
    // Weak references watch this token: it goes with the window.
    std::shared_ptr<void> alive = std::make_shared<char>();
    std::int64_t width = 100, height = 100;
    std::int64_t minimumWidth = 0, minimumHeight = 0;
    std::int64_t maximumWidth = QWIDGETSIZE_MAX, maximumHeight = QWIDGETSIZE_MAX;
    std::int64_t type = 0;
    bool resizeable = true;
    bool closeButton = true, minimizeButton = true, maximizeButton = true;
    bool visible = true;
};

namespace detail {

class WindowWidget : public QMainWindow {
  public:
    explicit WindowWidget(Window* owner) : m_owner(owner) {}
    ~WindowWidget() override {
        if (Window* owner = std::exchange(m_owner, nullptr)) {
            owner->m_impl->top = nullptr;
            delete owner;
        }
    }
    void release() { m_owner = nullptr; }

    // A press is about to reach the window. On X11 the activation that a press on an inactive
    // window causes is reported after the press, but handlers rely on the other order: a press
    // that shows another window would see it hidden again by the Activate that followed.
    void activateForPress() {
        if (m_owner && m_owner->IsOpen())
            tellActivated();
    }

    // Another program destroyed the native window: the window closes as its close button
    // closes it, from the event loop rather than from inside the reading of the desktop's
    // events.
    void destroyedFromOutside() {
        QMetaObject::invokeMethod(
            this,
            [widget = QPointer<WindowWidget>(this)] {
                if (widget && widget->m_owner && widget->m_owner->IsOpen())
                    widget->close();
            },
            Qt::QueuedConnection);
    }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (!m_owner || !m_owner->IsOpen())
            return;
        Window* owner = m_owner;
        Guarded([owner] { owner->Event_Close(); });
        owner->closed();
        // A handler of this window may be running below a yield; it must finish on a live
        // window, so the deletion waits until the outermost handler has returned.
        detail::whenHandlersReturn([widget = QPointer<WindowWidget>(this)] {
            if (widget)
                widget->deleteLater();
        });
    }
    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (event->type() != QEvent::ActivationChange || !m_owner || !m_owner->IsOpen())
            return;
        if (isActiveWindow())
            tellActivated();
        else if (toldActive == m_owner)
            toldActive = nullptr;
    }
    // Keys that no control took: the window's KeyDown first, then Return and Enter press the
    // default button, as they do in a dialog.
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_owner)
            return QMainWindow::keyPressEvent(event);
        Window* owner = m_owner;
        const String key = fromQt(event->text());
        if (Guarded([owner, &key] { return owner->Event_KeyDown(key); }))
            return event->accept();
        if (pressDefaultButton(*event))
            return event->accept();
        QMainWindow::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!m_owner)
            return QMainWindow::mousePressEvent(event);
        Window* owner = m_owner;
        const QPoint at = WindowAccess::content(*owner).mapFrom(this, event->position().toPoint());
        if (Guarded([owner, at] { return owner->Event_MouseDown(at.x(), at.y()); }))
            event->accept();
        else
            QMainWindow::mousePressEvent(event);
    }

  private:
    // Raises Activate once for each time the window becomes active, whether the press that
    // activates it or the desktop's word of the activation comes first.
    void tellActivated() {
        if (toldActive == m_owner)
            return;
        toldActive = m_owner;
        Window* owner = m_owner;
        moveToFront(*owner);
        Guarded([owner] { owner->Event_Activate(); });
    }

    bool pressDefaultButton(const QKeyEvent& event) {
        const bool returnKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
        const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
        PushButton* button = m_owner->m_impl->defaultButton;
        if (!returnKey || modifiers != Qt::NoModifier || !button)
            return false;
        auto& widget = static_cast<QAbstractButton&>(ControlAccess::widget(*button));
        if (!widget.isVisibleTo(this) || !widget.isEnabled())
            return false;
        widget.click();
        return true;
    }

    Window* m_owner;
};

// Watches, for every window, what reaches it from the desktop before the toolkit hands it on:
// presses, so that the window is activated first, and the X11 notice that its native window
// was destroyed.
class DesktopWatch : public QObject, public QAbstractNativeEventFilter {
  public:
    using QObject::QObject;

    static void install() {
        static QPointer<DesktopWatch> installed;
        QCoreApplication* toolkit = QCoreApplication::instance();
        if (installed || !toolkit)
            return;
        installed = new DesktopWatch(toolkit);
        toolkit->installEventFilter(installed);
        toolkit->installNativeEventFilter(installed);
    }

  protected:
    // Presses come from the desktop to the native window, which hands them to the control
    // under the pointer: every press of a window passes here once, before any control has it.
    // While a menu is open, a press only closes it. During a long action's yield only a press
    // that comes through at once (on a menu bar) passes here, and activates nothing; a press
    // held until the action ends passes here when it is handed back.
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || !receiver->isWindowType() ||
            QApplication::activePopupWidget() || inputIsHeld())
            return false;
        if (WindowWidget* top = windowShowing(static_cast<QWindow*>(receiver)))
            top->activateForPress();
        return false;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != kX11EventType)
            return false;
        X11DestroyNotify event;
        std::memcpy(&event, message, sizeof event);
        if (event.responseType != kX11DestroyNotify)
            return false;
        if (WindowWidget* top = windowWithNativeId(event.window))
            top->destroyedFromOutside();
        return false;
    }

  private:
    static WindowWidget* windowShowing(const QWindow* native) {
        for (Window* window : openWindows())
            if (WindowAccess::top(*window).windowHandle() == native)
                return &static_cast<WindowWidget&>(WindowAccess::top(*window));
        return nullptr;
    }
    static WindowWidget* windowWithNativeId(WId id) {
        for (Window* window : openWindows())
            if (id != 0 && WindowAccess::top(*window).internalWinId() == id)
                return &static_cast<WindowWidget&>(WindowAccess::top(*window));
        return nullptr;
    }
};

} // namespace detail

namespace detail {
QWidget& WindowAccess::content(const Window& window) {
    return *window.m_impl->content;
}
QWidget& WindowAccess::top(const Window& window) {
    return *window.m_impl->top;
}
const std::function<bool()>* WindowAccess::menuHandler(const Window& window,
                                                       const String& itemName) {
    const auto& handlers = window.m_impl->menuHandlers;
    const auto found = handlers.find(itemName.view());
    return found == handlers.end() ? nullptr : &found->second;
}
void WindowAccess::enableMenuItems(Window& window) {
    window.Event_EnableMenuItems();
}
void WindowAccess::showMenuBar(Window& window) {
    const Application* application = App();
    MenuBar* bar = application ? application->MenuBar() : nullptr;
    if (bar && window.m_impl->top && window.m_impl->type == 0)
        drawMenuBar(*bar, *window.m_impl->top);
}
std::vector<String> WindowAccess::controlNames(const Window& window) {
    std::vector<String> names;
    for (const auto& entry : window.m_impl->controls)
        names.push_back(entry.first);
    return names;
}
std::weak_ptr<void> WindowAccess::aliveToken(const Window& window) {
    return window.m_impl->alive;
}
} // namespace detail

Window::Window() : m_impl(std::make_unique<Impl>()) {}

Window::~Window() {
    if (toldActive == this)
        toldActive = nullptr;
    detail::removeOpenWindow(*this);
    m_impl->controls.clear();
    if (detail::WindowWidget* top = std::exchange(m_impl->top, nullptr)) {
        top->release();
        delete top;
    }
}

void Window::Constructor() {
    detail::requireMainThread("A window");
    detail::DesktopWatch::install();
    m_impl->top = new detail::WindowWidget(this);
    m_impl->content = new QWidget(m_impl->top);
    m_impl->top->setCentralWidget(m_impl->content);
    detail::addOpenWindow(*this);
    m_impl->open = true;
    try {
        Layout();
        CreateControls();
        AddMenuHandlers(*this);
        applyTabOrder();
        Event_Open();
    } catch (...) {
        closed();
        m_impl->top->hide();
        m_impl->top->deleteLater();
        throw;
    }
    if (m_impl->visible)
        Show();
}

detail::WindowWidget& Window::built() const {
    if (!m_impl->top)
        throw NilObjectException("The window has not been constructed.");
    return *m_impl->top;
}

void Window::Show() {
    QMainWindow& top = built();
    if (top.isMinimized())
        top.showNormal();
    else
        top.show();
    top.raise();
    top.activateWindow();
    detail::moveToFront(*this);
    detail::trace("window shown: " + std::string(FullClassName()));
}

void Window::Hide() {
    built().hide();
}

void Window::Close() {
    built().close();
}

bool Window::IsVisible() const {
    return m_impl->top && m_impl->top->isVisible();
}

bool Window::IsOpen() const {
    return m_impl->open;
}

void Window::closed() {
    if (toldActive == this)
        toldActive = nullptr;
    m_impl->open = false;
    detail::removeOpenWindow(*this);
    for (const auto& entry : m_impl->controls)
        entry.second->WindowClosed();
}

String Window::Title() const {
    return detail::fromQt(built().windowTitle());
}

void Window::SetTitle(const String& title) {
    built().setWindowTitle(detail::toQt(title));
}

std::int64_t Window::Width() const {
    return m_impl->content->width();
}

std::int64_t Window::Height() const {
    return m_impl->content->height();
}

void Window::_AddControl(const String& name, std::unique_ptr<Control> control) {
    if (!control)
        throw NilObjectException("No control to register as \"" + name.str() + "\".");
    for (const auto& [registered, existing] : m_impl->controls)
        if (registered == name)
            throw PlatformError("A control named \"" + name.str() + "\" is registered already.");
    Control& added = *control;
    added.SetName(name);
    m_impl->controls.emplace_back(name, std::move(control));
    added.AttachedTo(*this);
    if (auto* child = dynamic_cast<_PaneChild*>(&added)) {
        child->_SetWindow(*this);
        child->_SetIndex(added.Index());
    }
}

Control& Window::_ControlByName(const String& name) const {
    for (const auto& [registered, control] : m_impl->controls)
        if (registered == name)
            return *control;
    throw NilObjectException("The window has no control named \"" + name.str() + "\".");
}

void Window::_AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    m_impl->menuHandlers[itemName.str()] = std::move(handler);
}

bool Window::HasMenuHandler(const String& itemName) const {
    return m_impl->menuHandlers.find(itemName.view()) != m_impl->menuHandlers.end();
}

void Window::SetDefaultButton(PushButton* button) {
    m_impl->defaultButton = button;
}

void Window::applyTabOrder() {
    std::vector<RectControl*> stops;
    for (const auto& entry : m_impl->controls) {
        auto* control = dynamic_cast<RectControl*>(entry.second.get());
        if (control && control->TabStop() &&
            (detail::ControlAccess::widget(*control).focusPolicy() & Qt::TabFocus))
            stops.push_back(control);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(&detail::ControlAccess::widget(*stops[i - 1]),
                             &detail::ControlAccess::widget(*stops[i]));
}

void Window::applyFrame() {
    Impl& impl = *m_impl;
    QMainWindow& top = *impl.top;
    QWidget& content = *impl.content;
    if (!top.menuWidget())
        detail::WindowAccess::showMenuBar(*this);
    if (!impl.resizeable) {
        content.setFixedSize(static_cast<int>(impl.width), static_cast<int>(impl.height));
        top.layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        top.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        content.setMinimumSize(static_cast<int>(impl.minimumWidth),
                               static_cast<int>(impl.minimumHeight));
        content.setMaximumSize(
            static_cast<int>(std::min<std::int64_t>(impl.maximumWidth, QWIDGETSIZE_MAX)),
            static_cast<int>(std::min<std::int64_t>(impl.maximumHeight, QWIDGETSIZE_MAX)));
        content.resize(static_cast<int>(impl.width), static_cast<int>(impl.height));
        const int menuHeight = top.menuWidget() ? top.menuWidget()->sizeHint().height() : 0;
        top.resize(static_cast<int>(impl.width), static_cast<int>(impl.height) + menuHeight);
    }
    Qt::WindowFlags flags = (impl.type == 0 ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (impl.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (impl.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (impl.maximizeButton && impl.resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    if (top.windowFlags() != flags) {
        const bool wasVisible = top.isVisible();
        top.setWindowFlags(flags);
        if (wasVisible)
            top.show();
    }
}

void Window::ApplyProperty(const LayoutProperty& property) {
    // The desktop places windows itself and offers no full-screen button; every document window
    // shows the one menu bar.
    static constexpr std::string_view kWithoutEffect[] = {
        "MacProcID",  "DefaultLocation", "HasFullScreenButton", "Composite",
        "FullScreen", "MenuBarVisible",  "LiveResize"};
    Impl& impl = *m_impl;
    const std::string& key = property.key;
    using namespace detail;
    if (key == "Width")
        impl.width = integerValue(property);
    else if (key == "Height")
        impl.height = integerValue(property);
    else if (key == "MinimumWidth")
        impl.minimumWidth = integerValue(property);
    else if (key == "MinimumHeight")
        impl.minimumHeight = integerValue(property);
    else if (key == "MaximumWidth")
        impl.maximumWidth = integerValue(property);
    else if (key == "MaximumHeight")
        impl.maximumHeight = integerValue(property);
    else if (key == "Type")
        impl.type = integerValue(property);
    else if (key == "Title")
        SetTitle(String(textValue(property)));
    else if (key == "HasCloseButton")
        impl.closeButton = flagValue(property);
    else if (key == "HasMinimizeButton")
        impl.minimizeButton = flagValue(property);
    else if (key == "HasMaximizeButton")
        impl.maximizeButton = flagValue(property);
    else if (key == "Resizeable")
        impl.resizeable = flagValue(property);
    else if (key == "Visible")
        impl.visible = flagValue(property);
    else if (key == "HasBackgroundColor")
        impl.content->setAutoFillBackground(flagValue(property));
    else if (key == "BackgroundColor") {
        QPalette palette = impl.content->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(colourValue(property)));
        impl.content->setPalette(palette);
    } else if (!isAmong(key, kWithoutEffect))
        throw LayoutDataException("A window has no property \"" + key + "\".");
}

void _SetProperties(Window& target, std::string_view data) {
    for (const LayoutProperty& property : DecodeLayoutData(data))
        target.ApplyProperty(property);
    target.applyFrame();
}

} // namespace platform
