#pragma once

#include <cstdint>
#include <string>

namespace shell {

// What the windows' layout data have in common.

inline constexpr int white = 0x00FFFFFF;
inline constexpr int black = 0x00000000;
inline constexpr int red = 0x00FB0106;
// The Index that every control carries: it belongs to no control set.
inline constexpr std::int64_t noControlSet = -2147483648;

// What differs between the windows' frames.
struct WindowFrame {
    int width, height;
    int maximumWidth, maximumHeight;
    int type; // 0 a document window, 2 a dialog
    const char* title;
    int hasMaximizeButton, hasMinimizeButton, resizeable;
};

// A window's 22 entries of layout data, in stored order: a white, visible window with a close
// button, at least 64 x 64, placed by the desktop.
std::string WindowLayoutData(const WindowFrame& frame);

} // namespace shell
