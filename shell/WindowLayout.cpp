#include "shell/WindowLayout.h"

#include "platform/desktop/LayoutData.h"

namespace shell {

std::string WindowLayoutData(const WindowFrame& frame) {
    return platform::EncodeLayoutData({
        {"Width", frame.width},
        {"Height", frame.height},
        {"MinimumWidth", 64},
        {"MinimumHeight", 64},
        {"MaximumWidth", frame.maximumWidth},
        {"MaximumHeight", frame.maximumHeight},
        {"Type", frame.type},
        {"Title", frame.title},
        {"HasCloseButton", 1},
        {"HasMaximizeButton", frame.hasMaximizeButton},
        {"HasMinimizeButton", frame.hasMinimizeButton},
        {"HasFullScreenButton", 0},
        {"Resizeable", frame.resizeable},
        {"Composite", 0},
        {"MacProcID", 0},
        {"FullScreen", 0},
        {"DefaultLocation", 0},
        {"Visible", 1},
        {"HasBackgroundColor", 1},
        {"BackgroundColor", white},
        {"MenuBarVisible", 1},
        {"LiveResize", 0},
    });
}

} // namespace shell
