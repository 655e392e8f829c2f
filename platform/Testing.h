#pragma once

// Test support: a scripted stand-in for the modal dialogs, and drivers that work the real
// widgets through the toolkit's own events. Not for the application's code.

#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/String.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

class Canvas;
class PushButton;
class RectControl;
class TextArea;
class Window;

namespace testing {

// Raised when a dialog comes up that the test gave no answer for: a test must never block.
class UnscriptedDialog : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// Answers every dialog from a script while it lives (it installs itself and puts back the host
// it replaced), and records what was shown.
class ScriptedDialogs : public DialogHost {
  public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next open-file dialog returns this path (nothing: the user cancels).
    void QueueOpenFile(std::optional<std::string> path);
    // The next print dialog: cancelled; printing to a PDF file; printing to a recording.
    void QueuePrintCancel();
    void QueuePrintToPdf(std::string path);
    std::shared_ptr<PrintLog> QueuePrintRecording();

    std::vector<String> messages;
    int beeps = 0;
    std::vector<String> failures; // reports of unhandled failures
    std::vector<String> openFileTypeNames;
    std::vector<std::vector<std::string>> openFilePatterns;
    int printDialogs = 0;
    // Dialogs that came up with no answer queued.
    std::vector<std::string> unscripted;

    void ShowMessage(const String& message) override;
    void Beep() override;
    std::optional<std::string> ChooseFileToOpen(const String& fileTypeName,
                                                const std::vector<std::string>& patterns) override;
    std::unique_ptr<Graphics> OpenPrinter() override;
    void ReportUnhandledFailure(const String& text) override;

  private:
    struct PrintAnswer {
        enum class Kind { Cancel, Pdf, Recording } kind;
        std::string path;
        std::shared_ptr<PrintLog> log;
    };
    std::deque<std::optional<std::string>> m_openAnswers;
    std::deque<PrintAnswer> m_printAnswers;
    DialogHost* m_previous = nullptr;
};

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
// Delivers pending events, deferred deletions included.
void ProcessEvents();
// The text that the area's document holds now, each line end as a carriage return; reading it
// brings no pending text into the document.
String DocumentText(TextArea& area);
// Closes the window as its close button does.
void CloseWindow(Window& window);
bool IsFixedPitch(RectControl& control);
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

} // namespace testing
} // namespace platform
