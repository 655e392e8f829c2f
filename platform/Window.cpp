#include "platform/Window.h"

#include "platform/Application.h"
#include "platform/Controls_p.h"
#include "platform/RectControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {
// Open windows, frontmost first: the order in which they were last shown or activated.
std::vector<Window*>& openWindows() {
    static std::vector<Window*> windows;
    return windows;
}

void moveToFront(Window* window) {
    auto& windows = openWindows();
    auto found = std::find(windows.begin(), windows.end(), window);
    if (found == windows.end())
        return;
    std::rotate(windows.begin(), found, found + 1);
}
} // namespace

namespace detail {
class WindowWidget;
}

struct Window::Impl {
    detail::WindowWidget* top = nullptr;
    QWidget* content = nullptr;
    std::vector<std::pair<String, std::unique_ptr<Control>>> controls;
    std::map<std::string, std::function<bool()>, std::less<>> menuHandlers;
    bool open = false;
    bool closedOnce = false;
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
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_owner &&
            m_owner->IsOpen()) {
            Window* owner = m_owner;
            moveToFront(owner);
            Guarded([owner] { owner->Event_Activate(); });
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_owner)
            return QMainWindow::keyPressEvent(event);
        Window* owner = m_owner;
        const String key = fromQt(event->text());
        if (Guarded([owner, &key] { return owner->Event_KeyDown(key); }))
            event->accept();
        else
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
    Window* m_owner;
};

} // namespace detail

namespace detail {
QWidget& WindowAccess::content(const Window& window) {
    return *window.m_impl->content;
}
QWidget& WindowAccess::top(const Window& window) {
    return *window.m_impl->top;
}
std::vector<String> WindowAccess::controlNames(const Window& window) {
    std::vector<String> names;
    for (const auto& entry : window.m_impl->controls)
        names.push_back(entry.first);
    return names;
}

void destroyAllWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (!openWindows().empty())
        delete openWindows().front();
}
} // namespace detail

Window::Window() : m_impl(std::make_unique<Impl>()) {
    m_impl->top = new detail::WindowWidget(this);
    m_impl->content = new QWidget(m_impl->top);
    m_impl->top->setCentralWidget(m_impl->content);
}

Window::~Window() {
    std::erase(openWindows(), this);
    m_impl->controls.clear();
    if (detail::WindowWidget* top = std::exchange(m_impl->top, nullptr)) {
        top->release();
        delete top;
    }
}

void Window::Constructor() {
    openWindows().insert(openWindows().begin(), this);
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

void Window::Show() {
    QMainWindow& top = *m_impl->top;
    if (top.isMinimized())
        top.showNormal();
    else
        top.show();
    top.raise();
    top.activateWindow();
    moveToFront(this);
}

void Window::Hide() {
    m_impl->top->hide();
}

void Window::Close() {
    m_impl->top->close();
}

bool Window::IsVisible() const {
    return m_impl->top && m_impl->top->isVisible();
}

bool Window::IsOpen() const {
    return m_impl->open;
}

void Window::closed() {
    m_impl->open = false;
    std::erase(openWindows(), this);
}

String Window::Title() const {
    return detail::fromQt(m_impl->top->windowTitle());
}

void Window::SetTitle(const String& title) {
    m_impl->top->setWindowTitle(detail::toQt(title));
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
    } else if (key == "MacProcID" || key == "DefaultLocation")
        integerValue(property);
    else if (key == "HasFullScreenButton" || key == "Composite" || key == "FullScreen" ||
             key == "MenuBarVisible" || key == "LiveResize")
        // The desktop places windows itself and offers no full-screen button; every window
        // shows the one menu bar.
        flagValue(property);
    else
        throw LayoutDataException("A window has no property \"" + key + "\".");
}

void _SetProperties(Window& target, std::string_view data) {
    for (const LayoutProperty& property : DecodeLayoutData(data))
        target.ApplyProperty(property);
    target.applyFrame();
}

Window* _GetImplicitWindow(std::string_view fullClassName) {
    for (Window* window : openWindows())
        if (window->FullClassName() == fullClassName)
            return window;
    return nullptr;
}

Window* FrontmostWindow() {
    for (Window* window : openWindows())
        if (window->IsVisible())
            return window;
    return nullptr;
}

bool ChooseMenuItem(const String& itemName) {
    Window* window = FrontmostWindow();
    if (!window)
        return false;
    auto found = window->m_impl->menuHandlers.find(itemName.view());
    if (found == window->m_impl->menuHandlers.end())
        return false;
    const std::function<bool()> handler = found->second;
    return Guarded(handler);
}

} // namespace platform
