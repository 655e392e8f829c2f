#include "platform/desktop/Window.h"
#include "platform/desktop/Windows_p.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace platform {

namespace detail {

std::vector<Window*>& openWindows() {
    static std::vector<Window*> windows;
    return windows;
}

void addOpenWindow(Window& window) {
    openWindows().insert(openWindows().begin(), &window);
}

void removeOpenWindow(Window& window) {
    std::erase(openWindows(), &window);
}

void moveToFront(Window& window) {
    auto& windows = openWindows();
    auto found = std::find(windows.begin(), windows.end(), &window);
    if (found != windows.end())
        std::rotate(windows.begin(), found, found + 1);
}

void destroyAllWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (!openWindows().empty())
        delete openWindows().front();
}

} // namespace detail

Window* _GetImplicitWindow(std::string_view fullClassName) {
    for (Window* window : detail::openWindows())
        if (window->FullClassName() == fullClassName)
            return window;
    return nullptr;
}

Window* FrontmostWindow() {
    for (Window* window : detail::openWindows())
        if (window->IsVisible())
            return window;
    return nullptr;
}

} // namespace platform
