#include "shell/DescriptionWndLayout.h"

#include "platform/desktop/LayoutData.h"
#include "shell/HelpText.h"
#include "shell/WindowLayout.h"

#include <cstdint>
#include <vector>

namespace shell {

namespace {

using Entries = std::vector<platform::LayoutEntry>;

// The two text areas differ in height, tab stop, read-only state, text, font size and styles.
struct Area {
    const char* name;
    int height;
    int tabIndex;
    int tabStop;
    int lockRightBottom;
    int readOnly;
    std::string value;
    int fontSize;
    int styledText;
};

std::string textArea(const Area& area) {
    return platform::EncodeLayoutData({
        {"Name", area.name},
        {"Left", -1},
        {"Top", -1},
        {"Width", 485},
        {"Height", area.height},
        {"Index", noControlSet},
        {"LockLeft", 1},
        {"LockTop", 1},
        {"LockRight", area.lockRightBottom},
        {"LockBottom", area.lockRightBottom},
        {"TabIndex", area.tabIndex},
        {"TabStop", area.tabStop},
        {"TabPanelIndex", 0},
        {"AllowTabs", 0},
        {"AllowFocusRing", 0},
        {"AllowAutoDeactivate", 1},
        {"Visible", 1},
        {"Enabled", 1},
        {"ReadOnly", area.readOnly},
        {"Transparent", 1},
        {"Value", area.value},
        {"FontName", "Courier"},
        {"FontSize", area.fontSize},
        {"FontUnit", 0},
        {"Bold", 0},
        {"Italic", 0},
        {"Underline", 0},
        {"TextColor", black},
        {"TextAlignment", 0},
        {"BackgroundColor", white},
        {"HasBorder", 1},
        {"Multiline", 1},
        {"LineSpacing", 1.0},
        {"LineHeight", 0},
        {"HideSelection", 1},
        {"HasVerticalScrollbar", 1},
        {"HasHorizontalScrollbar", 0},
        {"AllowStyledText", area.styledText},
        {"AllowSpellChecking", 0},
        {"MaximumCharactersAllowed", 0},
        {"Format", ""},
        {"ValidationMask", ""},
        {"DataField", ""},
        {"DataSource", ""},
        {"Tooltip", ""},
    });
}

} // namespace

std::string DescriptionWndWindowLayout() {
    return WindowLayoutData({.width = 485,
                             .height = 525,
                             .maximumWidth = 600,
                             .maximumHeight = 600,
                             .type = 0,
                             .title = "Description",
                             .hasMaximizeButton = 0,
                             .hasMinimizeButton = 0,
                             .resizeable = 0});
}

std::string DescriptionWndDescribeFldLayout() {
    return textArea({"DescribeFld", 498, 0, 1, 1, 1, "\r", 10, 0});
}

std::string DescriptionWndDescribeFld2Layout() {
    return textArea({"DescribeFld2", 500, 1, 0, 0, 0, HelpText().str(), 11, 1});
}

std::string DescriptionWndc2002Layout() {
    return platform::EncodeLayoutData({
        {"Name", "c2002"},
        {"Left", 112},
        {"Top", 499},
        {"Width", 353},
        {"Height", 24},
        {"Index", noControlSet},
        {"InitialParent", ""},
        {"LockLeft", 1},
        {"LockTop", 1},
        {"LockRight", 1},
        {"LockBottom", 1},
        {"TabIndex", 3},
        {"TabStop", 0},
        {"TabPanelIndex", 0},
        {"AllowAutoDeactivate", 1},
        {"Visible", 1},
        {"Enabled", 1},
        {"Transparent", 0},
        {"Value", descriptionNotice},
        {"FontName", "Times"},
        {"FontSize", 11},
        {"FontUnit", 0},
        {"Bold", 0},
        {"Italic", 0},
        {"Underline", 0},
        {"TextColor", black},
        {"TextAlignment", 0},
        {"Multiline", 0},
        {"Selectable", 0},
        {"DataField", ""},
        {"DataSource", ""},
        {"Tooltip", ""},
    });
}

std::string DescriptionWndPrintBtnLayout() {
    return platform::EncodeLayoutData({
        {"Name", "PrintBtn"},
        {"Left", 11},
        {"Top", 503},
        {"Width", 69},
        {"Height", 20},
        {"Index", noControlSet},
        {"InitialParent", ""},
        {"LockLeft", 1},
        {"LockTop", 1},
        {"LockRight", 0},
        {"LockBottom", 0},
        {"TabIndex", 2},
        {"TabStop", 1},
        {"TabPanelIndex", 0},
        {"AllowAutoDeactivate", 1},
        {"Visible", 1},
        {"Enabled", 1},
        {"Transparent", 1},
        {"Caption", "Print"},
        {"Default", 1},
        {"Cancel", 0},
        {"MacButtonStyle", 0},
        {"FontName", "System"},
        {"FontSize", 12},
        {"FontUnit", 0},
        {"Bold", 0},
        {"Italic", 0},
        {"Underline", 0},
        {"Tooltip", ""},
    });
}

} // namespace shell
