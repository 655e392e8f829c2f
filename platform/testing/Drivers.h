#pragma once

// Test support: drivers that work the real widgets through the toolkit's own events. Only
// tests, benchmarks and fuzzers link it.

#include "platform/core/String.h"

#include <cstdint>
#include <memory>
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
// Leaves the desktop's clipboard with nothing on offer, as at the start of a session.
void EmptyClipboard();
// Leaves the clipboard as the X11 desktop does once the program that copied has ended: data
// on offer, in no format at all.
void EmptyClipboardOfAProgramGone();
// The text on the desktop's clipboard; "" when it offers none.
String ClipboardText();
// Delivers pending events, deferred deletions included.
void ProcessEvents();
// The text that the area's document holds now, each line end as a carriage return; reading it
// brings no pending text into the document.
String DocumentText(TextArea& area);
// Where each character of line `line` (counted from 0) of the area's document stands on the
// screen: its distance from the start of the screen line it is drawn on, in character cells of
// the area's font (the advance of a blank).
std::vector<double> ScreenColumns(TextArea& area, int line);
// Closes the window as its close button does.
void CloseWindow(Window& window);
// Whether the face that the desktop found for the control's font is fixed-pitch.
bool IsFixedPitch(RectControl& control);
// Whether the area, drawn as it is now, shows any pixel in the desktop's selection colour.
bool DrawsSelection(TextArea& area);
// The family of the face that the desktop found for the control's font: it depends on the
// fonts installed, so compare it only with another control's.
std::string FontFamily(RectControl& control);

// The font that the control asks the desktop for, before the desktop picks an installed face.
enum class FontStyleHint { Any, Serif, SansSerif, TypeWriter, Monospace, Other };
struct FontRequest {
    std::string family;
    FontStyleHint styleHint = FontStyleHint::Any;
    double pixelSize = 0;
};
FontRequest RequestedFont(RectControl& control);

// How wide, in points, a line of the area may be before the area wraps it.
double WrapWidth(TextArea& area);
// How wide `line` is laid out in the area's own font, a tab reaching the area's next tab stop.
double TextWidth(TextArea& area, const String& line);

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

// Presses keys as the desktop delivers them to the window: through the shortcuts of its menu
// bar first, then to its focus control or, without one, to the window itself. `keys` names
// one key with its modifiers in the desktop's portable form: "Ctrl+Q", "Return", "X".
void PressKeysInWindow(Window& window, const std::string& keys);
// A press and release of the left button at x, y of the window's content area, delivered as
// the desktop does: to the control under the pointer, or to the window. A press on a window
// that is not the active one asks the desktop to activate it, and, as on X11, the desktop's
// word of the activation comes only after the press has been delivered.
void ClickInWindow(Window& window, std::int64_t x, std::int64_t y);
// Whether the desktop holds the window as the active one.
bool IsActive(Window& window);
// Whether the desktop holds one of its own dialogs (a message box, a file or a print dialog) as
// the active window.
bool ADesktopDialogIsActive();
// Tells the platform, as the X11 desktop does, that another program destroyed the window's
// native window.
void DestroyWindowFromOutside(Window& window);

// A window of another program, shown while this lives. While it is the active window, none of
// the platform's windows is.
class OtherProgramWindow {
  public:
    OtherProgramWindow();
    ~OtherProgramWindow();
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    // Asks the desktop to make it the active window, as a click on it does.
    void Activate();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The window's menu bar as it is drawn: each menu's title and its items' texts, shortcuts and
// enabled states ("-" for a separator), each menu opened in turn as the user opens it, so that
// the states are those it shows now. Empty when the window carries no bar.
struct DrawnItem {
    std::string text;
    std::string shortcut;
    bool enabled = false;
};
struct DrawnMenu {
    std::string title;
    std::vector<DrawnItem> items;
};
std::vector<DrawnMenu> DrawnMenuBar(Window& window);
// Opens the menu and chooses the drawn item as a click on it does: a disabled item does
// nothing. False when the window's bar has no such item.
bool ChooseDrawnItem(Window& window, const std::string& menu, const std::string& item);

// Whether the desktop frames the window as a dialog rather than a document window.
bool IsDialogWindow(Window& window);
// The colour the window's content area is filled with, 0x00RRGGBB.
std::uint32_t BackgroundColour(Window& window);

} // namespace testing
} // namespace platform
