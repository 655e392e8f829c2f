#include "platform/desktop/TextField.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

namespace {
// QLineEdit's own limit stands for "no limit".
constexpr int kNoLimit = 32767;

class FieldEdit : public QLineEdit {
  public:
    explicit FieldEdit(TextField& owner) : m_owner(owner) {}

  protected:
    // Tab reaches QWidget::event before keyPressEvent, so the hook sits here to see every key.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const String text = detail::fromQt(key->text());
            TextField& field = m_owner;
            if (Guarded([&field, &text] { return field.KeyDown.Raise(field, text); })) {
                key->accept();
                return true;
            }
        }
        return QLineEdit::event(event);
    }

  private:
    TextField& m_owner;
};
} // namespace

struct TextField::Impl {
    FieldEdit* edit = nullptr;
    detail::FontDescription font;
    std::int64_t maximum = 0;
    std::int64_t alignment = 0;
};

TextField::TextField() : m_impl(std::make_unique<Impl>()) {}
TextField::~TextField() = default;

void TextField::CreateWidget() {
    m_impl->edit = new FieldEdit(*this);
    m_impl->edit->setMaxLength(kNoLimit);
    m_impl->edit->setFont(detail::makeFont(m_impl->font));
    detail::ControlAccess::setWidget(*this, m_impl->edit);
}

static QLineEdit& editOf(const TextField& field) {
    return static_cast<QLineEdit&>(detail::ControlAccess::widget(field));
}

String TextField::Text() const {
    return detail::fromQt(editOf(*this).text());
}

void TextField::SetText(const String& text) {
    editOf(*this).setText(detail::toQt(text));
}

std::int64_t TextField::MaximumCharactersAllowed() const {
    return m_impl->maximum;
}

void TextField::SetMaximumCharactersAllowed(std::int64_t count) {
    editOf(*this).setMaxLength(count > 0 && count < kNoLimit ? static_cast<int>(count) : kNoLimit);
    m_impl->maximum = count;
}

std::int64_t TextField::TextAlignment() const {
    return m_impl->alignment;
}

void TextField::SetTextAlignment(std::int64_t alignment) {
    detail::applyTextAlignment(editOf(*this), alignment, false);
    m_impl->alignment = alignment;
}

bool TextField::ReadOnly() const {
    return editOf(*this).isReadOnly();
}

void TextField::SetReadOnly(bool readOnly) {
    editOf(*this).setReadOnly(readOnly);
}

void TextField::ApplyProperty(const LayoutProperty& property) {
    using namespace detail;
    // No formatting, masks or data binding on this desktop, which draws the focus itself.
    static constexpr std::string_view kWithoutEffect[] = {
        "Format",      "ValidationMask", "DataSource", "DataField",
        "Transparent", "AllowFocusRing", "AllowTabs",  "AllowSpellChecking"};
    const std::string& key = property.key;
    QLineEdit& edit = editOf(*this);
    if (m_impl->font.apply(property))
        edit.setFont(makeFont(m_impl->font));
    else if (key == "Value")
        SetText(String(textValue(property)));
    else if (key == "MaximumCharactersAllowed")
        SetMaximumCharactersAllowed(integerValue(property));
    else if (key == "TextAlignment")
        SetTextAlignment(integerValue(property));
    else if (key == "ReadOnly")
        SetReadOnly(flagValue(property));
    else if (key == "HasBorder")
        edit.setFrame(flagValue(property));
    else if (key == "TextColor")
        setTextColour(edit, colourValue(property));
    else if (key == "BackgroundColor")
        setBackgroundColour(edit, colourValue(property));
    else if (key == "Password")
        edit.setEchoMode(flagValue(property) ? QLineEdit::Password : QLineEdit::Normal);
    else if (key == "Hint")
        edit.setPlaceholderText(toQt(String(textValue(property))));
    else if (!isAmong(key, kWithoutEffect))
        RectControl::ApplyProperty(property);
}

} // namespace platform
