#pragma once

#include "platform/core/String.h"

#include <cstdint>

namespace platform {

// Text and number conversions of the platform.

// The number at the start of `text` (after leading blanks and tabs): an optional sign, digits
// with an optional decimal point and fraction, an optional exponent. Text after the number is
// ignored; a text holding no number reads as 0. Never returns NaN; an out-of-range exponent
// gives an infinity or a zero. An "e" not followed by exponent digits ends the number; "inf",
// "nan" and hexadecimal texts hold no number. "-0" reads as -0.0.
double Val(const String& text);

// Decimal text of a number: a whole number prints its digits with a leading "-" when negative
// and no point; other values print the shortest text that reads back as the same Double
// ("2.5", "0.0001", "1e-05"). "Whole" means below 2^53 in size, where every integer is a
// Double; larger ones print the shorter of their digits and their scientific form ("1e+20").
// -0.0 prints "0". NaN prints "NaN", the infinities "Inf" and "-Inf".
String Str(double value);
String Str(std::int64_t value);
inline String Str(int value) {
    return Str(static_cast<std::int64_t>(value));
}

// `value` printed by a digit pattern: "0" a digit always printed, "#" a digit printed only when
// significant, "." the decimal point, a leading "+" prints the sign always. The fraction is
// rounded to the pattern's fraction digits (the exact binary value, ties to even); the whole
// integer part is always printed, and an integer part of 0 prints no digit unless the pattern
// has a "0" before the point (so "#" prints "" for 0). In the fraction, the places up to the
// last "0" are always printed and the "#" places after it only when they are not trailing zeros;
// the point is printed whenever the pattern has one. Other characters of the pattern have no
// meaning and print nothing. Negative values print "-" under every pattern, also when they
// round to zero ("-.0000"); -0.0 is not negative. NaN prints "NaN"; the infinities "Inf"
// ("+Inf" under a "+" pattern) and "-Inf".
String Format(double value, const String& pattern);

// The index-th field of `source`, counted from 1, split at every `separator`; "" when there are
// fewer fields, when index is below 1 or when the separator is empty.
String NthField(const String& source, const String& separator, std::int64_t index);

// The last `count` characters of `text` (all of it when count exceeds its length).
String Right(const String& text, std::int64_t count);
// Number of characters.
std::int64_t Len(const String& text);
// Code of the first character (a Unicode code point); 0 for an empty text.
std::int64_t Asc(const String& text);
// One character of that code, UTF-8 encoded; "" for codes that are no character.
String Chr(std::int64_t code);

} // namespace platform
