#include "platform/desktop/RectControl.h"

#include "platform/core/Errors.h"
#include "platform/core/QtString_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Window.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace platform {

struct RectControl::Impl {
    QPointer<QWidget> widget;
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    bool tabStop = true;
    std::int64_t tabIndex = 0;
    RectControl* container = nullptr; // the control this one lies inside, if any
};

namespace detail {
QWidget& ControlAccess::widget(const RectControl& control) {
    QWidget* widget = control.m_rect->widget.data();
    if (!widget)
        throw NilObjectException("The control \"" + control.Name().str() +
                                 "\" has not been constructed.");
    return *widget;
}

void ControlAccess::setWidget(RectControl& control, QWidget* widget) {
    control.m_rect->widget = widget;
}
} // namespace detail

RectControl::RectControl() : m_rect(std::make_unique<Impl>()) {}

RectControl::~RectControl() {
    delete m_rect->widget.data();
}

void RectControl::Constructor() {
    if (m_rect->widget)
        return;
    detail::requireMainThread("A control");
    CreateWidget();
    QWidget& widget = detail::ControlAccess::widget(*this);
    widget.setAttribute(Qt::WA_DeleteOnClose, false);
    updateFocusPolicy();
}

std::int64_t RectControl::Left() const {
    return m_rect->left;
}
std::int64_t RectControl::Top() const {
    return m_rect->top;
}
std::int64_t RectControl::Width() const {
    return m_rect->width;
}
std::int64_t RectControl::Height() const {
    return m_rect->height;
}

void RectControl::SetBounds(std::int64_t left, std::int64_t top, std::int64_t width,
                            std::int64_t height) {
    QWidget& widget = detail::ControlAccess::widget(*this);
    m_rect->left = left;
    m_rect->top = top;
    m_rect->width = width;
    m_rect->height = height;
    std::int64_t x = left, y = top;
    if (m_rect->container) {
        x -= m_rect->container->Left();
        y -= m_rect->container->Top();
    }
    widget.setGeometry(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                       static_cast<int>(height));
}

void RectControl::SetVisible(bool visible) {
    QWidget& widget = detail::ControlAccess::widget(*this);
    m_rect->visible = visible;
    if (OwnerWindow())
        widget.setVisible(visible);
}

bool RectControl::IsVisible() const {
    return m_rect->visible;
}

void RectControl::SetEnabled(bool enabled) {
    detail::ControlAccess::widget(*this).setEnabled(enabled);
    m_rect->enabled = enabled;
}

bool RectControl::IsEnabled() const {
    return m_rect->enabled;
}

void RectControl::SetFocus() {
    detail::ControlAccess::widget(*this).setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const {
    QWidget& widget = detail::ControlAccess::widget(*this);
    return widget.window()->focusWidget() == &widget;
}

String RectControl::Tooltip() const {
    return detail::fromQt(detail::ControlAccess::widget(*this).toolTip());
}

void RectControl::SetTooltip(const String& text) {
    detail::ControlAccess::widget(*this).setToolTip(detail::toQt(text));
}

std::int64_t RectControl::TabIndex() const {
    return m_rect->tabIndex;
}

void RectControl::SetTabIndex(std::int64_t index) {
    m_rect->tabIndex = index;
}

bool RectControl::TabStop() const {
    return m_rect->tabStop;
}

void RectControl::SetTabStop(bool stop) {
    m_rect->tabStop = stop;
    updateFocusPolicy();
}

void RectControl::updateFocusPolicy() {
    QWidget* widget = m_rect->widget.data();
    if (!widget)
        return;
    Qt::FocusPolicy policy = Qt::NoFocus;
    if (CanTakeFocus())
        policy =
            m_rect->tabStop ? Qt::StrongFocus : (TakesClickFocus() ? Qt::ClickFocus : Qt::NoFocus);
    widget->setFocusPolicy(policy);
}

void RectControl::AttachedTo(Window& window) {
    Control::AttachedTo(window);
    QWidget& widget = detail::ControlAccess::widget(*this);
    // Lets the test drivers name the control behind a widget.
    widget.setProperty("quorvaneControlName", detail::toQt(Name()));
    widget.setParent(&detail::WindowAccess::content(window));
    m_rect->container = nullptr;
    SetBounds(m_rect->left, m_rect->top, m_rect->width, m_rect->height);
    widget.setVisible(m_rect->visible);
}

void RectControl::ApplyProperty(const LayoutProperty& property) {
    // Controls keep their place: the windows of this application are not resized, and there
    // are no tab panels.
    static constexpr std::string_view kWithoutEffect[] = {
        "LockLeft", "LockTop", "LockRight", "LockBottom", "AllowAutoDeactivate", "TabPanelIndex"};
    const std::string& key = property.key;
    if (key == "Left")
        SetBounds(detail::integerValue(property), m_rect->top, m_rect->width, m_rect->height);
    else if (key == "Top")
        SetBounds(m_rect->left, detail::integerValue(property), m_rect->width, m_rect->height);
    else if (key == "Width")
        SetBounds(m_rect->left, m_rect->top, detail::integerValue(property), m_rect->height);
    else if (key == "Height")
        SetBounds(m_rect->left, m_rect->top, m_rect->width, detail::integerValue(property));
    else if (key == "TabIndex")
        SetTabIndex(detail::integerValue(property));
    else if (key == "TabStop")
        SetTabStop(detail::flagValue(property));
    else if (key == "Visible")
        SetVisible(detail::flagValue(property));
    else if (key == "Enabled")
        SetEnabled(detail::flagValue(property));
    else if (key == "Tooltip")
        SetTooltip(String(detail::textValue(property)));
    else if (key == "InitialParent") {
        const std::string& parentName = detail::textValue(property);
        if (parentName.empty())
            return;
        Window* window = OwnerWindow();
        if (!window)
            throw NilObjectException("The control \"" + Name().str() +
                                     "\" has no window to find its parent \"" + parentName +
                                     "\" in.");
        auto& container = window->_ControlByNameAs<RectControl>(String(parentName));
        QWidget& widget = detail::ControlAccess::widget(*this);
        widget.setParent(&detail::ControlAccess::widget(container));
        m_rect->container = &container;
        SetBounds(m_rect->left, m_rect->top, m_rect->width, m_rect->height);
        widget.setVisible(m_rect->visible);
        widget.raise();
    } else if (!detail::isAmong(key, kWithoutEffect)) {
        Control::ApplyProperty(property);
    }
}

} // namespace platform
