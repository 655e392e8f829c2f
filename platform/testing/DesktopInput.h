#pragma once

// Test support: input as the desktop sends it. Each call puts its events into the toolkit's
// queue of the desktop's events and has the toolkit work through that queue at once, as it does
// when they arrive: what the platform holds during a long action waits, the rest takes effect
// before the call returns. Positions are in points from the top-left corner of the window's
// content area. Only tests, benchmarks and fuzzers link it.

#include "platform/core/String.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class PushButton;
class RectControl;
class Window;

namespace testing {

// The left button goes down, the pointer moves with the buttons as they are, the left button
// comes up. A press on a window that is not the active one asks the desktop to activate it,
// and, as on X11, the desktop's word of the activation comes only after the press.
void PressInWindow(Window& window, std::int64_t x, std::int64_t y);
void MoveInWindow(Window& window, std::int64_t x, std::int64_t y);
void ReleaseInWindow(Window& window, std::int64_t x, std::int64_t y);

// A tap of a finger on a touch screen, of a pen on a tablet, or a click of the mouse's left
// button, with the desktop's own device of that kind.
enum class Tapper { Finger, Pen, Mouse };
void TapInWindow(Window& window, std::int64_t x, std::int64_t y, Tapper tapper);

// A device of the test's own kind, plugged in while it lives. Unplugging it does what the X11
// desktop does when a device goes: the toolkit's object for it is deleted.
class PluggedDevice {
  public:
    explicit PluggedDevice(Tapper kind);
    ~PluggedDevice();
    PluggedDevice(const PluggedDevice&) = delete;
    PluggedDevice& operator=(const PluggedDevice&) = delete;

    void Unplug();

  private:
    friend void TapInWindow(Window&, std::int64_t, std::int64_t, const PluggedDevice&);
    struct Device;
    Tapper m_kind;
    Device* m_device; // nullptr once unplugged
};
// A tap, as above, with the plugged device.
void TapInWindow(Window& window, std::int64_t x, std::int64_t y, const PluggedDevice& device);

// The pointer comes into the window from outside, or leaves it.
void PointerEntersWindow(Window& window, std::int64_t x, std::int64_t y);
void PointerLeavesWindow(Window& window);

// Each character of `text` as one key press and release, to the window with the focus.
void TypeInWindow(Window& window, const String& text);

// The key ("Space", "Escape", as PressKeysInWindow takes them) goes down, or comes up, alone,
// to the window with the focus.
void KeyDownInWindow(Window& window, const std::string& keys);
void KeyUpInWindow(Window& window, const std::string& keys);

// The close button of the window's frame.
void CloseFromTheDesktop(Window& window);

// The middle of the window's menu bar, in the content area's points (above the area).
struct Point {
    std::int64_t x = 0, y = 0;
};
Point MenuBarMiddle(Window& window);

// Runs the event loop until the platform has handed back all it held, one piece a turn, unless
// it holds input still (a long action yields).
void LetHeldInputThrough();

// Records, while it lives, each key press and release that reaches a window of the toolkit,
// which passes it on to its control with the focus, as "press Space" or "release Escape".
class KeyDeliveries {
  public:
    KeyDeliveries();
    ~KeyDeliveries();
    KeyDeliveries(const KeyDeliveries&) = delete;
    KeyDeliveries& operator=(const KeyDeliveries&) = delete;

    std::vector<std::string> seen;

  private:
    class Recorder;
    std::unique_ptr<Recorder> m_recorder;
};

// Whether the button is drawn pressed down.
bool IsDown(PushButton& button);
// Whether the control knows the pointer to be over it.
bool IsUnderPointer(RectControl& control);
// Whether a menu is open.
bool AMenuIsOpen();

} // namespace testing
} // namespace platform
