#include "shell/ControlWndLayout.h"

#include "platform/core/Errors.h"
#include "platform/desktop/LayoutData.h"
#include "shell/WindowLayout.h"

#include <cstdint>

namespace shell {

namespace {

using platform::LayoutEntry;
using Entries = std::vector<LayoutEntry>;

struct Placement {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    int tabStop;
    // Every control is anchored left and top except the question-mark area, which has no anchor.
    int lockLeftTop = 1;
};

Entries commonKeys(const Placement& at) {
    return {
        {"Name", at.name},
        {"Index", noControlSet},
        {"Left", at.left},
        {"Top", at.top},
        {"Width", at.width},
        {"Height", at.height},
        {"LockLeft", at.lockLeftTop},
        {"LockTop", at.lockLeftTop},
        {"LockRight", 0},
        {"LockBottom", 0},
        {"TabIndex", at.tabIndex},
        {"TabPanelIndex", 0},
        {"TabStop", at.tabStop},
        {"AllowAutoDeactivate", 1},
    };
}

Entries textFieldKeys(int maximumCharacters) {
    return {
        {"BackgroundColor", white},
        {"HasBorder", 1},
        {"Enabled", 1},
        {"Format", ""},
        {"Tooltip", ""},
        {"Password", 0},
        {"TextColor", black},
        {"Transparent", 1},
        {"AllowFocusRing", 1},
        {"Visible", 1},
        {"FontName", "System"},
        {"FontSize", 12},
        {"FontUnit", 0},
        {"Bold", 0},
        {"Italic", 0},
        {"Underline", 0},
        {"Hint", ""},
        {"Value", ""},
        {"AllowTabs", 0},
        {"TextAlignment", 2},
        {"AllowSpellChecking", 0},
        {"MaximumCharactersAllowed", maximumCharacters},
        {"ValidationMask", ""},
        {"ReadOnly", 0},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    };
}

Entries pushButtonKeys(const char* caption) {
    return {
        {"MacButtonStyle", 0},  {"Cancel", 0},    {"Caption", caption},  {"Default", 1},
        {"Enabled", 1},         {"Tooltip", ""},  {"Transparent", 1},    {"Visible", 1},
        {"FontName", "System"}, {"FontSize", 12}, {"FontUnit", 0},       {"Bold", 0},
        {"Italic", 0},          {"Underline", 0}, {"InitialParent", ""},
    };
}

Entries textAreaKeys() {
    return {
        {"BackgroundColor", white},
        {"HasBorder", 1},
        {"Enabled", 0},
        {"Format", ""},
        {"Tooltip", ""},
        {"HideSelection", 1},
        {"LineHeight", 0},
        {"LineSpacing", 1.0},
        {"Multiline", 1},
        {"HasHorizontalScrollbar", 1},
        {"HasVerticalScrollbar", 1},
        {"AllowStyledText", 1},
        {"TextColor", black},
        {"Transparent", 1},
        {"AllowFocusRing", 0},
        {"Visible", 1},
        {"Bold", 0},
        {"Italic", 0},
        {"FontName", "Courier"},
        {"FontSize", 10},
        {"FontUnit", 0},
        {"Underline", 0},
        {"Value", ""},
        {"AllowTabs", 0},
        {"TextAlignment", 0},
        {"AllowSpellChecking", 1},
        {"MaximumCharactersAllowed", 0},
        {"ValidationMask", ""},
        {"ReadOnly", 0},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", ""},
    };
}

Entries canvasKeys(const char* tooltip, int allowFocusRing) {
    return {
        {"Enabled", 1},        {"Tooltip", tooltip}, {"AllowFocusRing", allowFocusRing},
        {"Visible", 1},        {"AllowFocus", 0},    {"AllowTabs", 0},
        {"Transparent", 1},    {"DoubleBuffer", 0},  {"Transparent", 1},
        {"InitialParent", ""},
    };
}

struct LabelLook {
    const char* value;
    int textAlignment = 0;
    int textColor = black;
    int fontSize = 12;
    const char* initialParent = "";
};

Entries labelKeys(const LabelLook& look) {
    return {
        {"Enabled", 1},
        {"Tooltip", ""},
        {"Multiline", 0},
        {"Selectable", 0},
        {"TextAlignment", look.textAlignment},
        {"TextColor", look.textColor},
        {"Transparent", 0},
        {"Value", look.value},
        {"Visible", 1},
        {"Bold", 0},
        {"Italic", 0},
        {"FontName", "System"},
        {"Underline", 0},
        {"FontSize", look.fontSize},
        {"FontUnit", 0},
        {"DataSource", ""},
        {"DataField", ""},
        {"InitialParent", look.initialParent},
    };
}

ControlLayout control(const Placement& at, const Entries& classKeys) {
    Entries entries = commonKeys(at);
    entries.insert(entries.end(), classKeys.begin(), classKeys.end());
    return {at.name, platform::EncodeLayoutData(entries)};
}

std::vector<ControlLayout> buildControlLayouts() {
    return {
        control({"ObserversFld", 214, 116, 60, 22, 1, 1}, textFieldKeys(2)),
        control({"CasesFld", 214, 143, 60, 22, 2, 1}, textFieldKeys(3)),
        control({"CatsFld", 214, 170, 60, 22, 3, 1}, textFieldKeys(2)),
        control({"ClearBtn", 400, 470, 80, 30, 3, 0}, pushButtonKeys("Clear")),
        control({"CalculateBtn", 204, 470, 80, 30, 4, 0}, pushButtonKeys("Get Data")),
        control({"ResultsFld", 20, 213, 460, 230, 5, 0}, textAreaKeys()),
        control({"Canvas1", 54, -9, 381, 75, 6, 0}, canvasKeys("Click to see splash screen", 0)),
        control({"Label1", 184, 46, 117, 20, 0, 0}, labelKeys({.value = creditLine,
                                                               .textAlignment = 2,
                                                               .textColor = red,
                                                               .fontSize = 10,
                                                               .initialParent = "Canvas1"})),
        control({"PrintBtn", 20, 470, 80, 30, 7, 0}, pushButtonKeys("Print")),
        control({"observerstext", 20, 117, 190, 20, 8, 0},
                labelKeys({.value = "Number of raters (2-99):"})),
        control({"casetext", 20, 145, 190, 20, 9, 0},
                labelKeys({.value = "Number of cases (2-999):"})),
        control({"categorytext", 20, 171, 190, 20, 10, 0},
                labelKeys({.value = "Number of categories (2-25):"})),
        control({"CanvasQ", 463, 171, 22, 41, 15, 0, 0}, canvasKeys("", 1)),
    };
}

} // namespace

std::string ControlWndWindowLayout() {
    return WindowLayoutData({.width = 500,
                             .height = 520,
                             .maximumWidth = 600,
                             .maximumHeight = 600,
                             .type = 0,
                             .title = "Quorvane",
                             .hasMaximizeButton = 0,
                             .hasMinimizeButton = 1,
                             .resizeable = 0});
}

const std::vector<ControlLayout>& ControlWndControlLayouts() {
    static const std::vector<ControlLayout> layouts = buildControlLayouts();
    return layouts;
}

const std::string& ControlWndLayoutOf(std::string_view name) {
    for (const ControlLayout& layout : ControlWndControlLayouts())
        if (layout.name == name)
            return layout.data;
    throw platform::NilObjectException("No layout data for the control " + std::string(name));
}

} // namespace shell
