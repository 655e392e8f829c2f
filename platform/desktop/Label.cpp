#include "platform/desktop/Label.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Controls_p.h"

#include <QLabel>

namespace platform {

struct Label::Impl {
    detail::FontDescription font;
    std::uint32_t colour = 0;
    std::int64_t alignment = 0;
    bool multiLine = false;
};

Label::Label() : m_impl(std::make_unique<Impl>()) {}
Label::~Label() = default;

static QLabel& labelOf(const Label& label) {
    return static_cast<QLabel&>(detail::ControlAccess::widget(label));
}

void Label::CreateWidget() {
    auto* label = new QLabel();
    label->setTextFormat(Qt::PlainText);
    label->setFont(detail::makeFont(m_impl->font));
    detail::ControlAccess::setWidget(*this, label);
    detail::applyTextAlignment(*label, 0, false);
}

String Label::Text() const {
    return detail::fromQt(labelOf(*this).text());
}

void Label::SetText(const String& text) {
    labelOf(*this).setText(detail::toQt(text));
}

std::uint32_t Label::TextColor() const {
    return m_impl->colour;
}

void Label::SetTextColor(std::uint32_t rgb) {
    detail::setTextColour(labelOf(*this), rgb);
    m_impl->colour = rgb;
}

std::int64_t Label::TextAlignment() const {
    return m_impl->alignment;
}

void Label::SetTextAlignment(std::int64_t alignment) {
    detail::applyTextAlignment(labelOf(*this), alignment, m_impl->multiLine);
    m_impl->alignment = alignment;
}

void Label::ApplyProperty(const LayoutProperty& property) {
    using namespace detail;
    // A label paints no ground of its own either way and is bound to no data.
    static constexpr std::string_view kWithoutEffect[] = {"Transparent", "DataSource", "DataField"};
    const std::string& key = property.key;
    if (m_impl->font.apply(property))
        labelOf(*this).setFont(makeFont(m_impl->font));
    else if (key == "Value")
        SetText(String(textValue(property)));
    else if (key == "TextColor")
        SetTextColor(colourValue(property));
    else if (key == "TextAlignment")
        SetTextAlignment(integerValue(property));
    else if (key == "Multiline") {
        m_impl->multiLine = flagValue(property);
        labelOf(*this).setWordWrap(m_impl->multiLine);
        SetTextAlignment(m_impl->alignment);
    } else if (key == "Selectable")
        labelOf(*this).setTextInteractionFlags(flagValue(property) ? Qt::TextSelectableByMouse
                                                                   : Qt::NoTextInteraction);
    else if (!isAmong(key, kWithoutEffect))
        RectControl::ApplyProperty(property);
}

} // namespace platform
