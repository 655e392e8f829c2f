#pragma once

// Test support: drivers that work the real widgets through the toolkit's own events, and
// observers of what the platform did. Only tests, benchmarks and fuzzers link it.

#include "platform/String.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Canvas;
class PushButton;
class RectControl;
class TextArea;
class Window;

namespace testing {

enum class Key {
    Tab,
    Backspace,
    Delete,
    Left,
    Right,
    Home,
    End,
    Return,
    CtrlC,
    CtrlV,
    CtrlX,
    CtrlZ
};

// Presses the button as the user does (nothing happens when it is disabled).
void Click(PushButton& button);
// Types each character of `text` as one key press into the control.
void TypeKey(RectControl& control, const String& text);
void PressKey(RectControl& control, Key key);
void MouseDown(Canvas& canvas, std::int64_t x, std::int64_t y);
void MouseExit(Canvas& canvas);
// The name of the window's focus control; "" when none.
String FocusedControlName(Window& window);
// Puts the text on the desktop's clipboard, as a copy in another program does.
void PutOnClipboard(const String& text);
// Delivers pending events, deferred deletions included.
void ProcessEvents();
// The text that the area's document holds now, each line end as a carriage return; reading it
// brings no pending text into the document.
String DocumentText(TextArea& area);
// Closes the window as its close button does.
void CloseWindow(Window& window);
bool IsFixedPitch(RectControl& control);
// Whether the area, drawn as it is now, shows any pixel in the desktop's selection colour.
bool DrawsSelection(TextArea& area);
std::string FontFamily(RectControl& control);
double FontPixelSize(RectControl& control);
bool IsResizable(Window& window);
bool HasMinimizeButton(Window& window);
bool HasMaximizeButton(Window& window);
bool HasCloseButton(Window& window);
String Tooltip(RectControl& control);
// Names of the controls in Tab order, among the Tab stops.
std::vector<String> TabOrder(Window& window);
// Whether the control's widget lies inside the widget of `container`.
bool IsInside(RectControl& control, RectControl& container);
// Where the control's widget stands, in points from the top-left corner of its window's
// content area, and whether it shows (within its window).
struct WidgetGeometry {
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    bool shown = false;
};
WidgetGeometry GeometryOf(RectControl& control);
// Names of the window's controls in the order they were registered.
std::vector<String> ControlNames(Window& window);
// Whether the control can take the keyboard focus at all, by Tab or by a click.
bool TakesFocus(RectControl& control);

// The code of the last Quit call, if any; reset it before the step that should quit.
std::optional<std::int64_t> RequestedExitCode();
void ResetRequestedExitCode();
// How many times a picture file has been read from the application's resources.
std::int64_t PictureLoadCount();

} // namespace testing
} // namespace platform
