#include "platform/desktop/LayoutData.h"

#include "platform/core/Errors.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using platform::Colour;
using platform::DecodeLayoutData;
using platform::EncodeLayoutData;
using platform::FormOfLayoutKey;
using platform::LayoutDataException;
using platform::LayoutEntry;
using platform::LayoutForm;
using platform::LayoutProperty;

namespace {

std::string bytes(std::initializer_list<unsigned> values) {
    std::string out;
    for (unsigned value : values)
        out.push_back(static_cast<char>(value));
    return out;
}

struct ByteExample {
    const char* label;
    LayoutEntry entry;
    std::string value;
};

TEST(LayoutDataEncode, StoresTheDocumentedByteExamples) {
    const std::vector<ByteExample> examples{
        {"Top -9", {"Top", -9}, bytes({0xF7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"LineSpacing 1", {"LineSpacing", 1}, bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
        {"FontSize 12", {"FontSize", 12}, bytes({0, 0, 0x40, 0x41})},
        {"TextColor red", {"TextColor", 0x00FB0106}, bytes({0x06, 0x01, 0xFB, 0x00})},
        {"Caption Clear", {"Caption", "Clear"}, bytes({5, 0, 0, 0}) + "Clear"},
        {"Visible 1", {"Visible", 1}, bytes({1})},
        {"FontUnit 3", {"FontUnit", 3}, bytes({3})},
        {"Index least int32",
         {"Index", std::int64_t{-2147483648}},
         bytes({0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"Period 4000", {"Period", 4000}, bytes({0xA0, 0x0F, 0, 0, 0, 0, 0, 0})},
        {"Value empty", {"Value", ""}, bytes({0, 0, 0, 0})},
        {"LineSpacing 1.5", {"LineSpacing", 1.5}, bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
    };
    for (const ByteExample& example : examples) {
        SCOPED_TRACE(example.label);
        EXPECT_EQ(EncodeLayoutData({example.entry}), example.entry.key + " " + example.value);
    }
}

TEST(LayoutDataEncode, RejectsValuesThatDoNotFitTheKeysForm) {
    const std::vector<LayoutEntry> bad{
        {"Visible", 256},     {"Visible", -1},
        {"Visible", 1.0},     {"Visible", "1"},
        {"TextColor", -1},    {"TextColor", std::int64_t{0x100000000}},
        {"TextColor", 1.0},   {"Width", 1.5},
        {"Width", "500"},     {"Title", 1},
        {"LineSpacing", "1"}, {"FontSize", 1e300},
        {"FontSize", "12"},   {"Colour", 1},
        {"width", 1},         {"", 1},
    };
    for (const LayoutEntry& entry : bad) {
        SCOPED_TRACE(entry.key);
        EXPECT_THROW(EncodeLayoutData({entry}), LayoutDataException);
    }
}

TEST(LayoutDataForm, KnowsTheKeysOfEveryWindowAndTimer) {
    EXPECT_EQ(FormOfLayoutKey("MaximumCharactersAllowed"), LayoutForm::Integer);
    EXPECT_EQ(FormOfLayoutKey("Period"), LayoutForm::Integer);
    EXPECT_EQ(FormOfLayoutKey("RunMode"), LayoutForm::Integer);
    EXPECT_EQ(FormOfLayoutKey("LineSpacing"), LayoutForm::Double);
    EXPECT_EQ(FormOfLayoutKey("BackgroundColor"), LayoutForm::Colour);
    EXPECT_EQ(FormOfLayoutKey("FontSize"), LayoutForm::Single);
    EXPECT_EQ(FormOfLayoutKey("InitialParent"), LayoutForm::Text);
    EXPECT_EQ(FormOfLayoutKey("Selectable"), LayoutForm::Flag);
    EXPECT_EQ(FormOfLayoutKey("FontUnit"), LayoutForm::Flag);
    EXPECT_THROW(FormOfLayoutKey("Backdrop"), LayoutDataException);
    EXPECT_THROW(FormOfLayoutKey("Top "), LayoutDataException);
}

TEST(LayoutDataDecode, ReadsBackWhatWasWrittenInOrderWithRepeatedKeys) {
    const std::string data = EncodeLayoutData({
        {"Name", "Canvas1"},
        {"Top", -9},
        {"Transparent", 1},
        {"LineSpacing", 1},
        {"TextColor", 0x00FB0106},
        {"FontSize", 10},
        {"Value", std::string("a\0b \x01", 5)},
        {"Transparent", 0},
        {"FontUnit", 255},
    });
    const std::vector<LayoutProperty> expected{
        {"Name", std::string("Canvas1")},       {"Top", std::int64_t{-9}},
        {"Transparent", std::uint8_t{1}},       {"LineSpacing", 1.0},
        {"TextColor", Colour{0x00FB0106}},      {"FontSize", 10.0f},
        {"Value", std::string("a\0b \x01", 5)}, {"Transparent", std::uint8_t{0}},
        {"FontUnit", std::uint8_t{255}},
    };
    EXPECT_EQ(DecodeLayoutData(data), expected);
    EXPECT_TRUE(DecodeLayoutData("").empty());
}

TEST(LayoutDataDecode, RejectsMalformedKeys) {
    const std::vector<std::string> bad{
        bytes({0x20, 1}), // empty key
        "Visible",        // no blank
        "Visi-ble \x01",  // not a letter
        "Visible\t\x01",  // another separator
        "Nonsense \x01",  // unknown
        std::string("Visible\0 \x01", 10),
    };
    for (const std::string& data : bad) {
        SCOPED_TRACE(data);
        EXPECT_THROW(DecodeLayoutData(data), LayoutDataException);
    }
}

// Cutting a list anywhere must either fail or, exactly at an entry boundary, give the entries
// before the cut.
TEST(LayoutDataDecode, TruncatedDataFailsExceptAtEntryBoundaries) {
    const std::vector<LayoutEntry> entries{
        {"Visible", 1},   {"Top", -9},   {"Caption", "Clear"}, {"TextColor", 0x123456},
        {"FontSize", 12}, {"Value", ""}, {"LineSpacing", 1},
    };
    std::vector<std::size_t> boundaries{0};
    std::string data;
    for (const LayoutEntry& entry : entries) {
        data += EncodeLayoutData({entry});
        boundaries.push_back(data.size());
    }
    const std::vector<LayoutProperty> all = DecodeLayoutData(data);
    ASSERT_EQ(all.size(), entries.size());

    for (std::size_t cut = 0; cut <= data.size(); ++cut) {
        SCOPED_TRACE(cut);
        // The cut is copied so that a read past its end is a read outside the buffer.
        const std::string prefix = data.substr(0, cut);
        const auto boundary = std::find(boundaries.begin(), boundaries.end(), cut);
        if (boundary != boundaries.end()) {
            const auto completeEntries = boundary - boundaries.begin();
            EXPECT_EQ(DecodeLayoutData(prefix),
                      std::vector<LayoutProperty>(all.begin(), all.begin() + completeEntries));
        } else {
            EXPECT_THROW(DecodeLayoutData(prefix), LayoutDataException);
        }
    }
}

TEST(LayoutDataDecode, TextLengthBeyondTheEndFails) {
    EXPECT_THROW(DecodeLayoutData("Name " + bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "abc"),
                 LayoutDataException);
    EXPECT_THROW(DecodeLayoutData("Name " + bytes({4, 0, 0, 0}) + "abc"), LayoutDataException);
}

// Random bytes, and valid lists with random bytes changed, must decode or fail cleanly; the
// sanitizer build checks that no read leaves the buffer.
TEST(LayoutDataDecode, RandomBytesNeverCrash) {
    std::mt19937 random(20240611);
    const std::string valid = EncodeLayoutData(
        {{"Name", "ObserversFld"}, {"Left", 214}, {"Visible", 1}, {"FontSize", 12}});
    const std::string keyChars = "NameValueTopVisible \x01\x05";
    std::size_t decodedWithoutFailure = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string data;
        switch (round % 3) {
        case 0: {
            const std::size_t size = random() % 40;
            for (std::size_t i = 0; i < size; ++i)
                data.push_back(static_cast<char>(random()));
            break;
        }
        case 1: {
            const std::size_t size = random() % 40;
            for (std::size_t i = 0; i < size; ++i)
                data.push_back(keyChars[random() % keyChars.size()]);
            break;
        }
        default:
            data = valid;
            for (int changes = 0; changes < 3; ++changes)
                data[random() % data.size()] = static_cast<char>(random());
            data.resize(random() % (data.size() + 1));
            break;
        }
        try {
            DecodeLayoutData(data);
            ++decodedWithoutFailure;
        } catch (const LayoutDataException&) {
        }
    }
    EXPECT_GT(decodedWithoutFailure, 0u);
}

} // namespace
