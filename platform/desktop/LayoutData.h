#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

// Layout data: a window's or a control's list of named properties, in the stored form handed
// to _SetProperties. An entry is the key in ASCII letters, one blank, then the value in the form
// that the key fixes (the list itself does not mark the form); entries stand back to back.

enum class LayoutForm {
    Integer, // 8 bytes, signed, little-endian
    Double,  // 8 bytes, IEEE 754, little-endian
    Colour,  // 4 bytes, 0x00RRGGBB little-endian
    Single,  // 4 bytes, IEEE 754, little-endian
    Flag,    // 1 byte: 0 or 1, or a small enumeration (FontUnit)
    Text,    // 4-byte little-endian length, then the bytes
};

// The form of a known key; throws LayoutDataException for a key the platform does not know.
LayoutForm FormOfLayoutKey(std::string_view key);

struct Colour {
    std::uint32_t rgb = 0; // 0x00RRGGBB
    friend bool operator==(Colour, Colour) = default;
};

// A decoded value in its key's form.
using LayoutValue = std::variant<std::int64_t, double, Colour, float, std::uint8_t, std::string>;

struct LayoutProperty {
    std::string key;
    LayoutValue value;
    friend bool operator==(const LayoutProperty&, const LayoutProperty&) = default;
};

// An entry as a window's code writes it: the key and a number or a text; the number is stored
// in the key's form (range-checked, else LayoutDataException).
struct LayoutEntry {
    LayoutEntry(const char* entryKey, std::int64_t number) : key(entryKey), value(number) {}
    LayoutEntry(const char* entryKey, int number) : key(entryKey), value(std::int64_t{number}) {}
    LayoutEntry(const char* entryKey, unsigned number)
        : key(entryKey), value(std::int64_t{number}) {}
    LayoutEntry(const char* entryKey, double number) : key(entryKey), value(number) {}
    LayoutEntry(const char* entryKey, const char* text) : key(entryKey), value(std::string(text)) {}
    LayoutEntry(const char* entryKey, std::string text) : key(entryKey), value(std::move(text)) {}
    std::string key;
    std::variant<std::int64_t, double, std::string> value;
};

// The stored form of a list.
std::string EncodeLayoutData(const std::vector<LayoutEntry>& entries);
// Reads the entries one after another in stored order; an unknown key or data that ends
// inside an entry raises LayoutDataException, never a read past the end.
std::vector<LayoutProperty> DecodeLayoutData(std::string_view data);

} // namespace platform
