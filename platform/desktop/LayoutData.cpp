#include "platform/desktop/LayoutData.h"

#include "platform/core/Errors.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace platform {

namespace {

struct KnownKey {
    std::string_view key;
    LayoutForm form;
};

constexpr std::array knownKeys{
    KnownKey{"Width", LayoutForm::Integer},
    KnownKey{"Height", LayoutForm::Integer},
    KnownKey{"MinimumWidth", LayoutForm::Integer},
    KnownKey{"MinimumHeight", LayoutForm::Integer},
    KnownKey{"MaximumWidth", LayoutForm::Integer},
    KnownKey{"MaximumHeight", LayoutForm::Integer},
    KnownKey{"Type", LayoutForm::Integer},
    KnownKey{"MacProcID", LayoutForm::Integer},
    KnownKey{"DefaultLocation", LayoutForm::Integer},
    KnownKey{"Left", LayoutForm::Integer},
    KnownKey{"Top", LayoutForm::Integer},
    KnownKey{"Index", LayoutForm::Integer},
    KnownKey{"TabIndex", LayoutForm::Integer},
    KnownKey{"TabPanelIndex", LayoutForm::Integer},
    KnownKey{"TextAlignment", LayoutForm::Integer},
    KnownKey{"MaximumCharactersAllowed", LayoutForm::Integer},
    KnownKey{"LineHeight", LayoutForm::Integer},
    KnownKey{"MacButtonStyle", LayoutForm::Integer},
    KnownKey{"Period", LayoutForm::Integer},
    KnownKey{"RunMode", LayoutForm::Integer},

    KnownKey{"LineSpacing", LayoutForm::Double},

    KnownKey{"BackgroundColor", LayoutForm::Colour},
    KnownKey{"TextColor", LayoutForm::Colour},

    KnownKey{"FontSize", LayoutForm::Single},

    KnownKey{"Name", LayoutForm::Text},
    KnownKey{"Title", LayoutForm::Text},
    KnownKey{"Format", LayoutForm::Text},
    KnownKey{"Tooltip", LayoutForm::Text},
    KnownKey{"FontName", LayoutForm::Text},
    KnownKey{"Hint", LayoutForm::Text},
    KnownKey{"Value", LayoutForm::Text},
    KnownKey{"ValidationMask", LayoutForm::Text},
    KnownKey{"DataSource", LayoutForm::Text},
    KnownKey{"DataField", LayoutForm::Text},
    KnownKey{"InitialParent", LayoutForm::Text},
    KnownKey{"Caption", LayoutForm::Text},

    KnownKey{"HasCloseButton", LayoutForm::Flag},
    KnownKey{"HasMaximizeButton", LayoutForm::Flag},
    KnownKey{"HasMinimizeButton", LayoutForm::Flag},
    KnownKey{"HasFullScreenButton", LayoutForm::Flag},
    KnownKey{"Resizeable", LayoutForm::Flag},
    KnownKey{"Composite", LayoutForm::Flag},
    KnownKey{"FullScreen", LayoutForm::Flag},
    KnownKey{"Visible", LayoutForm::Flag},
    KnownKey{"HasBackgroundColor", LayoutForm::Flag},
    KnownKey{"MenuBarVisible", LayoutForm::Flag},
    KnownKey{"LiveResize", LayoutForm::Flag},
    KnownKey{"LockLeft", LayoutForm::Flag},
    KnownKey{"LockTop", LayoutForm::Flag},
    KnownKey{"LockRight", LayoutForm::Flag},
    KnownKey{"LockBottom", LayoutForm::Flag},
    KnownKey{"TabStop", LayoutForm::Flag},
    KnownKey{"AllowAutoDeactivate", LayoutForm::Flag},
    KnownKey{"HasBorder", LayoutForm::Flag},
    KnownKey{"Enabled", LayoutForm::Flag},
    KnownKey{"Password", LayoutForm::Flag},
    KnownKey{"Transparent", LayoutForm::Flag},
    KnownKey{"AllowFocusRing", LayoutForm::Flag},
    KnownKey{"FontUnit", LayoutForm::Flag},
    KnownKey{"Bold", LayoutForm::Flag},
    KnownKey{"Italic", LayoutForm::Flag},
    KnownKey{"Underline", LayoutForm::Flag},
    KnownKey{"AllowTabs", LayoutForm::Flag},
    KnownKey{"AllowSpellChecking", LayoutForm::Flag},
    KnownKey{"ReadOnly", LayoutForm::Flag},
    KnownKey{"Cancel", LayoutForm::Flag},
    KnownKey{"Default", LayoutForm::Flag},
    KnownKey{"HideSelection", LayoutForm::Flag},
    KnownKey{"Multiline", LayoutForm::Flag},
    KnownKey{"HasHorizontalScrollbar", LayoutForm::Flag},
    KnownKey{"HasVerticalScrollbar", LayoutForm::Flag},
    KnownKey{"AllowStyledText", LayoutForm::Flag},
    KnownKey{"AllowFocus", LayoutForm::Flag},
    KnownKey{"DoubleBuffer", LayoutForm::Flag},
    KnownKey{"Selectable", LayoutForm::Flag},
};

[[noreturn]] void fail(std::string_view key, std::string_view what) {
    throw LayoutDataException("layout data, key \"" + std::string(key) +
                              "\": " + std::string(what));
}

void appendLittleEndian(std::string& out, std::uint64_t bits, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

std::int64_t integerOf(const LayoutEntry& entry) {
    if (const auto* number = std::get_if<std::int64_t>(&entry.value))
        return *number;
    fail(entry.key, "needs an integer");
}

double numberOf(const LayoutEntry& entry) {
    if (const auto* number = std::get_if<std::int64_t>(&entry.value))
        return static_cast<double>(*number);
    if (const auto* number = std::get_if<double>(&entry.value))
        return *number;
    fail(entry.key, "needs a number");
}

void encodeValue(std::string& out, const LayoutEntry& entry, LayoutForm form) {
    switch (form) {
    case LayoutForm::Integer:
        appendLittleEndian(out, static_cast<std::uint64_t>(integerOf(entry)), 8);
        return;
    case LayoutForm::Double:
        appendLittleEndian(out, std::bit_cast<std::uint64_t>(numberOf(entry)), 8);
        return;
    case LayoutForm::Colour: {
        const std::int64_t rgb = integerOf(entry);
        if (rgb < 0 || rgb > 0xFFFFFFFF)
            fail(entry.key, "colour does not fit 32 bits");
        appendLittleEndian(out, static_cast<std::uint64_t>(rgb), 4);
        return;
    }
    case LayoutForm::Single: {
        const double number = numberOf(entry);
        if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max())
            fail(entry.key, "out of the range of a Single");
        appendLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(number)), 4);
        return;
    }
    case LayoutForm::Flag: {
        const std::int64_t flag = integerOf(entry);
        if (flag < 0 || flag > 255)
            fail(entry.key, "flag out of range 0..255");
        out.push_back(static_cast<char>(flag));
        return;
    }
    case LayoutForm::Text: {
        const auto* text = std::get_if<std::string>(&entry.value);
        if (text == nullptr)
            fail(entry.key, "needs a text");
        if (text->size() > std::numeric_limits<std::uint32_t>::max())
            fail(entry.key, "text too long");
        appendLittleEndian(out, text->size(), 4);
        out += *text;
        return;
    }
    }
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Reads from a byte string without ever stepping past its end.
class Reader {
  public:
    explicit Reader(std::string_view data) : m_data(data) {}

    bool atEnd() const { return m_position == m_data.size(); }

    std::string_view key() {
        std::size_t end = m_position;
        while (end < m_data.size() && isAsciiLetter(m_data[end]))
            ++end;
        const std::string_view key = m_data.substr(m_position, end - m_position);
        if (end == m_data.size())
            fail(key, "data ends before the blank after the key");
        if (m_data[end] != ' ')
            fail(key, "a key is made of ASCII letters followed by a blank");
        if (key.empty())
            fail(key, "empty key");
        m_position = end + 1;
        return key;
    }

    std::uint64_t littleEndian(std::string_view key, int byteCount) {
        const std::string_view bytes = take(key, static_cast<std::size_t>(byteCount));
        std::uint64_t bits = 0;
        for (int i = 0; i < byteCount; ++i)
            bits |= std::uint64_t{static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)])}
                    << (8 * i);
        return bits;
    }

    std::string_view take(std::string_view key, std::size_t count) {
        if (count > m_data.size() - m_position)
            fail(key, "data ends inside the value");
        const std::string_view bytes = m_data.substr(m_position, count);
        m_position += count;
        return bytes;
    }

  private:
    std::string_view m_data;
    std::size_t m_position = 0;
};

LayoutValue decodeValue(Reader& reader, std::string_view key, LayoutForm form) {
    switch (form) {
    case LayoutForm::Integer:
        return static_cast<std::int64_t>(reader.littleEndian(key, 8));
    case LayoutForm::Double:
        return std::bit_cast<double>(reader.littleEndian(key, 8));
    case LayoutForm::Colour:
        return Colour{static_cast<std::uint32_t>(reader.littleEndian(key, 4))};
    case LayoutForm::Single:
        return std::bit_cast<float>(static_cast<std::uint32_t>(reader.littleEndian(key, 4)));
    case LayoutForm::Flag:
        return static_cast<std::uint8_t>(reader.littleEndian(key, 1));
    case LayoutForm::Text: {
        const auto length = static_cast<std::size_t>(reader.littleEndian(key, 4));
        return std::string(reader.take(key, length));
    }
    }
    fail(key, "unknown form");
}

} // namespace

LayoutForm FormOfLayoutKey(std::string_view key) {
    for (const KnownKey& known : knownKeys)
        if (known.key == key)
            return known.form;
    fail(key, "unknown key");
}

std::string EncodeLayoutData(const std::vector<LayoutEntry>& entries) {
    std::string out;
    for (const LayoutEntry& entry : entries) {
        const LayoutForm form = FormOfLayoutKey(entry.key);
        out += entry.key;
        out.push_back(' ');
        encodeValue(out, entry, form);
    }
    return out;
}

std::vector<LayoutProperty> DecodeLayoutData(std::string_view data) {
    std::vector<LayoutProperty> properties;
    Reader reader(data);
    while (!reader.atEnd()) {
        const std::string_view key = reader.key();
        const LayoutForm form = FormOfLayoutKey(key);
        properties.push_back({std::string(key), decodeValue(reader, key, form)});
    }
    return properties;
}

} // namespace platform
