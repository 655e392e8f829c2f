#include "platform/desktop/PushButton.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"

#include <QPushButton>

namespace platform {

struct PushButton::Impl {
    detail::FontDescription font;
};

PushButton::PushButton() : m_impl(std::make_unique<Impl>()) {}
PushButton::~PushButton() = default;

static QPushButton& buttonOf(const PushButton& button) {
    return static_cast<QPushButton&>(detail::ControlAccess::widget(button));
}

void PushButton::CreateWidget() {
    auto* button = new QPushButton();
    button->setFont(detail::makeFont(m_impl->font));
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { Guarded([this] { Action.Raise(*this); }); });
    detail::ControlAccess::setWidget(*this, button);
}

String PushButton::Caption() const {
    return detail::fromQt(buttonOf(*this).text());
}

void PushButton::SetCaption(const String& caption) {
    buttonOf(*this).setText(detail::toQt(caption));
}

bool PushButton::Default() const {
    return buttonOf(*this).isDefault();
}

void PushButton::SetDefault(bool isDefault) {
    buttonOf(*this).setDefault(isDefault);
}

void PushButton::ApplyProperty(const LayoutProperty& property) {
    using namespace detail;
    // The desktop draws its own button style; Escape presses no button here.
    static constexpr std::string_view kWithoutEffect[] = {"MacButtonStyle", "Cancel",
                                                          "Transparent"};
    const std::string& key = property.key;
    if (m_impl->font.apply(property))
        buttonOf(*this).setFont(makeFont(m_impl->font));
    else if (key == "Caption")
        SetCaption(String(textValue(property)));
    else if (key == "Default")
        SetDefault(flagValue(property));
    else if (!isAmong(key, kWithoutEffect))
        RectControl::ApplyProperty(property);
}

} // namespace platform
