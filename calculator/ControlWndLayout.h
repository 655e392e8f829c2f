#pragma once

#include <string>
#include <vector>

namespace calculator {

// The stored layout data of the main window and of its controls, as `Layout` and
// `_CreateControls0` hand them to _SetProperties.

enum class ControlClass { TextField, PushButton, TextArea, Canvas, Label };

struct ControlLayout {
    const char* name;
    ControlClass controlClass;
    std::string data;
};

// The window's 22 entries, in stored order.
std::string ControlWndWindowLayout();

// The 13 controls in creation order, `ObserversFld` first and `CanvasQ` last.
const std::vector<ControlLayout>& ControlWndControlLayouts();

// The red credit line inside the logo area.
inline constexpr const char* creditLine = "Quorvane authors";

} // namespace calculator
