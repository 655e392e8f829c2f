#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The stored layout data of the main window and of its controls, as `Layout` and
// `_CreateControls0` hand them to _SetProperties.

// The window's 22 entries, in stored order.
std::string ControlWndWindowLayout();

// The stored layout data of one control.
struct ControlLayout {
    const char* name;
    std::string data;
};

// The 13 controls in creation order, `ObserversFld` first and `CanvasQ` last.
const std::vector<ControlLayout>& ControlWndControlLayouts();

// The layout data of the control of that name; NilObjectException when there is none.
const std::string& ControlWndLayoutOf(std::string_view name);

// The red credit line inside the logo area.
inline constexpr const char* creditLine = "Quorvane authors";

} // namespace shell
