#include "calculator/ControlWndLayout.h"

#include "platform/LayoutData.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using calculator::ControlClass;
using calculator::ControlLayout;
using calculator::ControlWndControlLayouts;
using calculator::ControlWndWindowLayout;
using platform::Colour;
using platform::DecodeLayoutData;
using platform::LayoutProperty;
using platform::LayoutValue;

namespace {

std::vector<std::string> keysOf(const std::vector<LayoutProperty>& properties) {
    std::vector<std::string> keys;
    for (const LayoutProperty& property : properties)
        keys.push_back(property.key);
    return keys;
}

// The value of the first entry with that key; the test fails when there is none.
LayoutValue valueOf(const std::vector<LayoutProperty>& properties, const std::string& key) {
    const auto found = std::find_if(properties.begin(), properties.end(),
                                    [&](const LayoutProperty& p) { return p.key == key; });
    EXPECT_NE(found, properties.end()) << key;
    return found == properties.end() ? LayoutValue{} : found->value;
}

const ControlLayout& controlNamed(const std::string& name) {
    const auto& layouts = ControlWndControlLayouts();
    const auto found = std::find_if(layouts.begin(), layouts.end(),
                                    [&](const ControlLayout& c) { return c.name == name; });
    if (found == layouts.end())
        throw std::runtime_error("no control " + name);
    return *found;
}

TEST(ControlWndLayout, WindowListHoldsTheTwentyTwoKeysInOrder) {
    const auto window = DecodeLayoutData(ControlWndWindowLayout());
    const std::vector<std::string> expected{"Width",
                                            "Height",
                                            "MinimumWidth",
                                            "MinimumHeight",
                                            "MaximumWidth",
                                            "MaximumHeight",
                                            "Type",
                                            "Title",
                                            "HasCloseButton",
                                            "HasMaximizeButton",
                                            "HasMinimizeButton",
                                            "HasFullScreenButton",
                                            "Resizeable",
                                            "Composite",
                                            "MacProcID",
                                            "FullScreen",
                                            "DefaultLocation",
                                            "Visible",
                                            "HasBackgroundColor",
                                            "BackgroundColor",
                                            "MenuBarVisible",
                                            "LiveResize"};
    EXPECT_EQ(keysOf(window), expected);
    EXPECT_EQ(valueOf(window, "Width"), LayoutValue{std::int64_t{500}});
    EXPECT_EQ(valueOf(window, "Height"), LayoutValue{std::int64_t{520}});
    EXPECT_EQ(valueOf(window, "Title"), LayoutValue{std::string("Quorvane")});
    EXPECT_EQ(valueOf(window, "Resizeable"), LayoutValue{std::uint8_t{0}});
    EXPECT_EQ(valueOf(window, "HasMinimizeButton"), LayoutValue{std::uint8_t{1}});
    EXPECT_EQ(valueOf(window, "BackgroundColor"), LayoutValue{Colour{0xFFFFFF}});
}

TEST(ControlWndLayout, ControlsComeInCreationOrderWithTheirClassAndLength) {
    struct Expected {
        const char* name;
        ControlClass controlClass;
        std::size_t entries;
    };
    const std::vector<Expected> expected{
        {"ObserversFld", ControlClass::TextField, 41},  {"CasesFld", ControlClass::TextField, 41},
        {"CatsFld", ControlClass::TextField, 41},       {"ClearBtn", ControlClass::PushButton, 29},
        {"CalculateBtn", ControlClass::PushButton, 29}, {"ResultsFld", ControlClass::TextArea, 46},
        {"Canvas1", ControlClass::Canvas, 24},          {"Label1", ControlClass::Label, 32},
        {"PrintBtn", ControlClass::PushButton, 29},     {"observerstext", ControlClass::Label, 32},
        {"casetext", ControlClass::Label, 32},          {"categorytext", ControlClass::Label, 32},
        {"CanvasQ", ControlClass::Canvas, 24},
    };
    const std::vector<std::string> common{"Name",      "Index",
                                          "Left",      "Top",
                                          "Width",     "Height",
                                          "LockLeft",  "LockTop",
                                          "LockRight", "LockBottom",
                                          "TabIndex",  "TabPanelIndex",
                                          "TabStop",   "AllowAutoDeactivate"};
    const auto& layouts = ControlWndControlLayouts();
    ASSERT_EQ(layouts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(layouts[i].name, expected[i].name);
        EXPECT_EQ(layouts[i].controlClass, expected[i].controlClass);
        const auto properties = DecodeLayoutData(layouts[i].data);
        ASSERT_EQ(properties.size(), expected[i].entries);
        const auto keys = keysOf(properties);
        EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 14), common);
        EXPECT_EQ(properties[0].value, LayoutValue{std::string(expected[i].name)});
        EXPECT_EQ(properties[1].value, LayoutValue{std::int64_t{-2147483648}});
        EXPECT_EQ(valueOf(properties, "AllowAutoDeactivate"), LayoutValue{std::uint8_t{1}});
    }
}

TEST(ControlWndLayout, ClassKeysFollowInTheirOrder) {
    const auto keysAfterCommon = [](const char* name) {
        const auto keys = keysOf(DecodeLayoutData(controlNamed(name).data));
        return std::vector<std::string>(keys.begin() + 14, keys.end());
    };
    EXPECT_EQ(keysAfterCommon("CanvasQ"),
              (std::vector<std::string>{"Enabled", "Tooltip", "AllowFocusRing", "Visible",
                                        "AllowFocus", "AllowTabs", "Transparent", "DoubleBuffer",
                                        "Transparent", "InitialParent"}));
    EXPECT_EQ(
        keysAfterCommon("ClearBtn"),
        (std::vector<std::string>{"MacButtonStyle", "Cancel", "Caption", "Default", "Enabled",
                                  "Tooltip", "Transparent", "Visible", "FontName", "FontSize",
                                  "FontUnit", "Bold", "Italic", "Underline", "InitialParent"}));
    const auto area = keysAfterCommon("ResultsFld");
    EXPECT_EQ(area.front(), "BackgroundColor");
    EXPECT_EQ(std::vector<std::string>(area.begin() + 16, area.begin() + 22),
              (std::vector<std::string>{"Bold", "Italic", "FontName", "FontSize", "FontUnit",
                                        "Underline"}));
    const auto label = keysAfterCommon("casetext");
    EXPECT_EQ(std::vector<std::string>(label.begin() + 9, label.begin() + 15),
              (std::vector<std::string>{"Bold", "Italic", "FontName", "Underline", "FontSize",
                                        "FontUnit"}));
}

TEST(ControlWndLayout, PerControlValues) {
    struct FieldLimit {
        const char* name;
        std::int64_t maximum;
        std::int64_t tabIndex;
    };
    for (const FieldLimit& field : {FieldLimit{"ObserversFld", 2, 1}, FieldLimit{"CasesFld", 3, 2},
                                    FieldLimit{"CatsFld", 2, 3}}) {
        SCOPED_TRACE(field.name);
        const auto properties = DecodeLayoutData(controlNamed(field.name).data);
        EXPECT_EQ(valueOf(properties, "MaximumCharactersAllowed"), LayoutValue{field.maximum});
        EXPECT_EQ(valueOf(properties, "TabIndex"), LayoutValue{field.tabIndex});
        EXPECT_EQ(valueOf(properties, "TabStop"), LayoutValue{std::uint8_t{1}});
        EXPECT_EQ(valueOf(properties, "TextAlignment"), LayoutValue{std::int64_t{2}});
        EXPECT_EQ(valueOf(properties, "Value"), LayoutValue{std::string()});
    }

    const auto area = DecodeLayoutData(controlNamed("ResultsFld").data);
    EXPECT_EQ(valueOf(area, "Enabled"), LayoutValue{std::uint8_t{0}});
    EXPECT_EQ(valueOf(area, "ReadOnly"), LayoutValue{std::uint8_t{0}});
    EXPECT_EQ(valueOf(area, "LineSpacing"), LayoutValue{1.0});
    EXPECT_EQ(valueOf(area, "FontName"), LayoutValue{std::string("Courier")});
    EXPECT_EQ(valueOf(area, "FontSize"), LayoutValue{10.0f});
    EXPECT_EQ(valueOf(area, "MaximumCharactersAllowed"), LayoutValue{std::int64_t{0}});

    const auto calculate = DecodeLayoutData(controlNamed("CalculateBtn").data);
    EXPECT_EQ(valueOf(calculate, "Caption"), LayoutValue{std::string("Get Data")});
    EXPECT_EQ(valueOf(calculate, "Default"), LayoutValue{std::uint8_t{1}});
    EXPECT_EQ(valueOf(calculate, "TabStop"), LayoutValue{std::uint8_t{0}});

    const auto logo = DecodeLayoutData(controlNamed("Canvas1").data);
    EXPECT_EQ(valueOf(logo, "Top"), LayoutValue{std::int64_t{-9}});
    EXPECT_EQ(valueOf(logo, "Tooltip"), LayoutValue{std::string("Click to see splash screen")});
    EXPECT_EQ(std::count_if(logo.begin(), logo.end(),
                            [](const LayoutProperty& p) {
                                return p.key == "Transparent" &&
                                       p.value == LayoutValue{std::uint8_t{1}};
                            }),
              2);

    const auto question = DecodeLayoutData(controlNamed("CanvasQ").data);
    for (const char* lock : {"LockLeft", "LockTop", "LockRight", "LockBottom"})
        EXPECT_EQ(valueOf(question, lock), LayoutValue{std::uint8_t{0}}) << lock;
    EXPECT_EQ(valueOf(question, "AllowFocusRing"), LayoutValue{std::uint8_t{1}});
    EXPECT_EQ(valueOf(question, "TabIndex"), LayoutValue{std::int64_t{15}});
    const auto field = DecodeLayoutData(controlNamed("CatsFld").data);
    EXPECT_EQ(valueOf(field, "LockLeft"), LayoutValue{std::uint8_t{1}});

    const auto credit = DecodeLayoutData(controlNamed("Label1").data);
    EXPECT_EQ(valueOf(credit, "Value"), LayoutValue{std::string(calculator::creditLine)});
    EXPECT_EQ(valueOf(credit, "TextColor"), LayoutValue{Colour{0x00FB0106}});
    EXPECT_EQ(valueOf(credit, "TextAlignment"), LayoutValue{std::int64_t{2}});
    EXPECT_EQ(valueOf(credit, "FontSize"), LayoutValue{10.0f});
    EXPECT_EQ(valueOf(credit, "InitialParent"), LayoutValue{std::string("Canvas1")});

    struct LabelText {
        const char* name;
        const char* value;
    };
    for (const LabelText& label : {LabelText{"observerstext", "Number of raters (2-99):"},
                                   LabelText{"casetext", "Number of cases (2-999):"},
                                   LabelText{"categorytext", "Number of categories (2-25):"}}) {
        SCOPED_TRACE(label.name);
        const auto properties = DecodeLayoutData(controlNamed(label.name).data);
        EXPECT_EQ(valueOf(properties, "Value"), LayoutValue{std::string(label.value)});
        EXPECT_EQ(valueOf(properties, "TextColor"), LayoutValue{Colour{0}});
        EXPECT_EQ(valueOf(properties, "FontSize"), LayoutValue{12.0f});
        EXPECT_EQ(valueOf(properties, "InitialParent"), LayoutValue{std::string()});
    }
}

} // namespace
