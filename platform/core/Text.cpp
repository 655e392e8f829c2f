#include "platform/core/Text.h"

#include "platform/core/Utf8_p.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal exponent of the leading significant digit of a mantissa (digits with an optional
// point) that holds at least one non-zero digit: 0 for "5.2", 2 for "123", -3 for ".00123".
std::int64_t leadingDigitExponent(std::string_view mantissa) {
    const std::size_t point = mantissa.find('.');
    const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0')
            continue;
        if (i < integerDigits)
            return static_cast<std::int64_t>(integerDigits - i) - 1;
        return -static_cast<std::int64_t>(i - integerDigits);
    }
    return 0;
}

} // namespace

double Val(const String& text) {
    const std::string_view s = text.view();
    std::size_t pos = 0;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }

    // Take only the span that forms a number, so that whatever from_chars would accept beyond
    // it ("inf", "nan", a dangling exponent) never counts.
    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        while (pos < s.size() && isDigit(s[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    const std::size_t mantissaEnd = pos;

    std::int64_t exponent = 0;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t e = pos + 1;
        bool exponentNegative = false;
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) {
            exponentNegative = s[e] == '-';
            ++e;
        }
        if (e < s.size() && isDigit(s[e])) {
            constexpr std::int64_t kSaturated = 1'000'000'000;
            while (e < s.size() && isDigit(s[e])) {
                exponent = std::min(kSaturated, exponent * 10 + (s[e] - '0'));
                ++e;
            }
            if (exponentNegative)
                exponent = -exponent;
            pos = e;
        }
    }

    double magnitude = 0.0;
    const auto result =
        std::from_chars(s.data() + start, s.data() + pos, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone here; the size of the number decides which way
        // it fell out of range.
        const std::int64_t decimalExponent =
            leadingDigitExponent(s.substr(start, mantissaEnd - start)) + exponent;
        magnitude = decimalExponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        magnitude = 0.0;
    }
    return negative ? -magnitude : magnitude;
}

String Str(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    constexpr double kExactIntegerLimit = 9007199254740992.0; // 2^53
    if (value == std::trunc(value) && std::fabs(value) < kExactIntegerLimit)
        return Str(static_cast<std::int64_t>(value)); // -0.0 becomes 0 and prints "0"
    // Huge whole numbers take the shorter of their digits and their scientific form; fractions
    // keep the familiar "0.0001" up to the point where "1e-05" takes over.
    std::array<char, 64> buffer{};
    char* const first = buffer.data();
    char* const last = buffer.data() + buffer.size();
    const auto result = value == std::trunc(value)
                            ? std::to_chars(first, last, value)
                            : std::to_chars(first, last, value, std::chars_format::general);
    return String(std::string_view(buffer.data(), result.ptr - buffer.data()));
}

String Str(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return String(std::string_view(buffer.data(), result.ptr - buffer.data()));
}

String Format(double value, const String& pattern) {
    std::string_view p = pattern.view();
    bool alwaysSign = false;
    if (!p.empty() && p.front() == '+') {
        alwaysSign = true;
        p.remove_prefix(1);
    }
    const std::size_t point = p.find('.');
    const std::string_view integerPattern = p.substr(0, point);
    const std::string_view fractionPattern =
        point == std::string_view::npos ? std::string_view() : p.substr(point + 1);
    std::size_t minimumIntegerDigits = 0;
    for (char c : integerPattern)
        minimumIntegerDigits += c == '0';
    // Fraction places: every digit position; those from the last "0" on are always printed,
    // the "#" places after it only while they are not trailing zeros.
    std::size_t fractionDigits = 0;
    std::size_t requiredFractionDigits = 0;
    for (char c : fractionPattern) {
        if (c == '0' || c == '#')
            ++fractionDigits;
        if (c == '0')
            requiredFractionDigits = fractionDigits;
    }

    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : (alwaysSign ? "+Inf" : "Inf");

    std::string sign;
    if (value < 0)
        sign = "-";
    else if (alwaysSign)
        sign = "+";

    // The largest Double has 309 integer digits.
    std::string fixed(320 + fractionDigits, '\0');
    const auto result = std::to_chars(fixed.data(), fixed.data() + fixed.size(), std::fabs(value),
                                      std::chars_format::fixed, static_cast<int>(fractionDigits));
    fixed.resize(result.ptr - fixed.data());

    const std::size_t fixedPoint = fixed.find('.');
    std::string_view integerDigits = std::string_view(fixed).substr(0, fixedPoint);
    std::string_view fraction = fixedPoint == std::string::npos
                                    ? std::string_view()
                                    : std::string_view(fixed).substr(fixedPoint + 1);
    while (!integerDigits.empty() && integerDigits.front() == '0')
        integerDigits.remove_prefix(1);
    while (fraction.size() > requiredFractionDigits && fraction.back() == '0')
        fraction.remove_suffix(1);

    std::string text = sign;
    if (integerDigits.size() < minimumIntegerDigits)
        text.append(minimumIntegerDigits - integerDigits.size(), '0');
    text += integerDigits;
    if (point != std::string_view::npos) {
        text += '.';
        text += fraction;
    }
    return String(text);
}

String NthField(const String& source, const String& separator, std::int64_t index) {
    const std::string_view s = source.view();
    const std::string_view sep = separator.view();
    if (index < 1 || sep.empty())
        return String();
    std::size_t begin = 0;
    for (std::int64_t field = 1; field < index; ++field) {
        const std::size_t found = s.find(sep, begin);
        if (found == std::string_view::npos)
            return String();
        begin = found + sep.size();
    }
    const std::size_t end = s.find(sep, begin);
    return String(s.substr(begin, end == std::string_view::npos ? s.size() - begin : end - begin));
}

String Right(const String& text, std::int64_t count) {
    if (count <= 0)
        return String();
    if (count >= text.length())
        return text;
    // Characters start at every byte that is not a continuation byte, the same count that
    // String keeps; skip all but the last `count` of them.
    const std::string_view s = text.view();
    std::int64_t starts = text.length() - count;
    std::size_t pos = 0;
    for (; pos < s.size(); ++pos) {
        if (!detail::isUtf8Continuation(s[pos]) && starts-- == 0)
            break;
    }
    return String(s.substr(pos));
}

std::int64_t Len(const String& text) {
    return text.length();
}

std::int64_t Asc(const String& text) {
    const std::string_view s = text.view();
    if (s.empty())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned lead = byte(0);
    std::size_t size = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return lead;
    }
    if (s.size() < size)
        return lead;
    for (std::size_t i = 1; i < size; ++i) {
        if (!detail::isUtf8Continuation(s[i]))
            return lead;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return lead;
    return code;
}

String Chr(std::int64_t code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return String();
    const auto c = static_cast<std::uint32_t>(code);
    char bytes[4];
    std::size_t size = 0;
    if (c < 0x80) {
        bytes[size++] = static_cast<char>(c);
    } else if (c < 0x800) {
        bytes[size++] = static_cast<char>(0xC0 | (c >> 6));
        bytes[size++] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes[size++] = static_cast<char>(0xE0 | (c >> 12));
        bytes[size++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes[size++] = static_cast<char>(0xF0 | (c >> 18));
        bytes[size++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | (c & 0x3F));
    }
    return String(std::string_view(bytes, size));
}

} // namespace platform
