#include "platform/core/Errors.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Control.h"
#include "platform/desktop/Controls_p.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace platform {

void Control::ApplyProperty(const LayoutProperty& property) {
    if (property.key == "Name")
        m_name = String(detail::textValue(property));
    else if (property.key == "Index")
        m_index = detail::integerValue(property);
    else
        RejectProperty(property);
}

void Control::AttachedTo(Window& window) {
    m_window = &window;
}

void Control::RejectProperty(const LayoutProperty& property) const {
    throw LayoutDataException("A " + std::string(ClassName()) + " has no property \"" +
                              property.key + "\".");
}

void _SetProperties(Control& target, std::string_view data) {
    for (const LayoutProperty& property : DecodeLayoutData(data))
        target.ApplyProperty(property);
}

namespace detail {

namespace {
template <class T> const T& valueAs(const LayoutProperty& property) {
    if (const T* value = std::get_if<T>(&property.value))
        return *value;
    throw LayoutDataException("The property \"" + property.key +
                              "\" holds a value of another form.");
}
} // namespace

std::int64_t integerValue(const LayoutProperty& property) {
    return valueAs<std::int64_t>(property);
}

bool flagValue(const LayoutProperty& property) {
    return valueAs<std::uint8_t>(property) != 0;
}

std::uint8_t byteValue(const LayoutProperty& property) {
    return valueAs<std::uint8_t>(property);
}

std::uint32_t colourValue(const LayoutProperty& property) {
    return valueAs<Colour>(property).rgb;
}

double sizeValue(const LayoutProperty& property) {
    if (const auto* single = std::get_if<float>(&property.value))
        return *single;
    if (const auto* number = std::get_if<double>(&property.value))
        return *number;
    if (const auto* small = std::get_if<std::uint8_t>(&property.value))
        return *small;
    return static_cast<double>(integerValue(property));
}

const std::string& textValue(const LayoutProperty& property) {
    return valueAs<std::string>(property);
}

void requireMainThread(const char* what) {
    if (!isMainThread())
        throw ThreadAccessingUIException(std::string(what) +
                                         " can only be built on the main thread.");
}

bool isAmong(std::string_view key, std::span<const std::string_view> keys) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

bool FontDescription::apply(const LayoutProperty& property) {
    const std::string& key = property.key;
    if (key == "FontName")
        name = textValue(property);
    else if (key == "FontSize")
        size = sizeValue(property);
    else if (key == "FontUnit")
        byteValue(property); // Every unit is taken as the point: a point is a logical pixel.
    else if (key == "Bold")
        bold = flagValue(property);
    else if (key == "Italic")
        italic = flagValue(property);
    else if (key == "Underline")
        underline = flagValue(property);
    else
        return false;
    return true;
}

QFont fixedPitchFont() {
    static const QFont chosen = [] {
        QFont courier(QStringLiteral("Courier"));
        courier.setStyleHint(QFont::TypeWriter);
        if (QFontInfo(courier).fixedPitch())
            return courier;
        const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (QFontInfo(system).fixedPitch())
            return system;
        QFont dejaVu(QStringLiteral("DejaVu Sans Mono"));
        dejaVu.setStyleHint(QFont::Monospace);
        return dejaVu;
    }();
    return chosen;
}

double tabStopDistance(const QFont& font) {
    constexpr int kCellsPerTab = 8;
    return kCellsPerTab * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' '));
}

QFont makeFont(const FontDescription& description) {
    QFont font;
    if (description.name.empty() || description.name == "System") {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    } else if (description.name == "Courier") {
        font = fixedPitchFont();
    } else if (description.name == "Times") {
        font = QFont(QStringLiteral("Times"));
        font.setStyleHint(QFont::Serif);
    } else {
        font = QFont(QString::fromStdString(description.name));
    }
    if (description.size > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(description.size))));
    font.setBold(description.bold);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    return font;
}

void applyTextAlignment(QWidget& widget, std::int64_t alignment, bool multiLine) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == 2)
        horizontal = Qt::AlignHCenter;
    else if (alignment == 3)
        horizontal = Qt::AlignRight;
    const Qt::Alignment vertical = multiLine ? Qt::AlignTop : Qt::AlignVCenter;
    if (auto* line = qobject_cast<QLineEdit*>(&widget))
        line->setAlignment(horizontal | vertical);
    else if (auto* label = qobject_cast<QLabel*>(&widget))
        label->setAlignment(horizontal | vertical);
}

void setTextColour(QWidget& widget, std::uint32_t rgb) {
    QPalette palette = widget.palette();
    const QColor colour = QColor::fromRgb(rgb);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget.setPalette(palette);
}

void setBackgroundColour(QWidget& widget, std::uint32_t rgb) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(rgb));
    widget.setPalette(palette);
}

} // namespace detail
} // namespace platform
