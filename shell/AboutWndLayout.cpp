#include "shell/AboutWndLayout.h"

#include "platform/desktop/LayoutData.h"
#include "shell/WindowLayout.h"

#include <cstdint>
#include <vector>

namespace shell {

namespace {

using Entries = std::vector<platform::LayoutEntry>;

struct Place {
    const char* name;
    int left, top, width, height;
    int transparent, tabStop, tabIndex;
};

// The keys every visible control of the window carries, in stored order.
Entries placeKeys(const Place& at) {
    return {
        {"Name", at.name},       {"Left", at.left},
        {"Top", at.top},         {"Width", at.width},
        {"Height", at.height},   {"LockLeft", 1},
        {"LockTop", 1},          {"LockRight", 0},
        {"LockBottom", 0},       {"Visible", 1},
        {"Enabled", 1},          {"Transparent", at.transparent},
        {"TabStop", at.tabStop}, {"TabIndex", at.tabIndex},
        {"TabPanelIndex", 0},    {"Index", noControlSet},
        {"InitialParent", ""},   {"AllowAutoDeactivate", 1},
        {"Tooltip", ""},
    };
}

std::string canvas(const Place& at) {
    Entries entries = placeKeys(at);
    entries.insert(
        entries.end(),
        {{"DoubleBuffer", 0}, {"AllowFocusRing", 1}, {"AllowFocus", 0}, {"AllowTabs", 0}});
    return platform::EncodeLayoutData(entries);
}

} // namespace

std::string AboutWndWindowLayout() {
    return WindowLayoutData({.width = 415,
                             .height = 280,
                             .maximumWidth = 32000,
                             .maximumHeight = 32000,
                             .type = 2,
                             .title = "",
                             .hasMaximizeButton = 1,
                             .hasMinimizeButton = 1,
                             .resizeable = 1});
}

std::string AboutWndCanvas1Layout() {
    return canvas({"Canvas1", 20, 33, 378, 71, 1, 0, 0});
}

std::string AboutWndStaticText5Layout() {
    Entries entries = placeKeys({"StaticText5", 0, 240, 415, 20, 0, 0, 1});
    entries.insert(entries.end(), {
                                      {"Value", aboutNotice},
                                      {"TextAlignment", 2},
                                      {"TextColor", red},
                                      {"FontName", "System"},
                                      {"FontSize", 11},
                                      {"FontUnit", 0},
                                      {"Bold", 0},
                                      {"Italic", 0},
                                      {"Underline", 0},
                                      {"Selectable", 0},
                                      {"Multiline", 0},
                                      {"DataField", ""},
                                      {"DataSource", ""},
                                  });
    return platform::EncodeLayoutData(entries);
}

std::string AboutWndTimer1Layout() {
    return platform::EncodeLayoutData({{"Period", 4000}, {"RunMode", 1}});
}

std::string AboutWndCanvas2Layout() {
    return canvas({"Canvas2", 174, 124, 66, 66, 1, 1, 2});
}

} // namespace shell
