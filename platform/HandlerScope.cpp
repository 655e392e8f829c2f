#include "platform/HandlerScope.h"

#include "platform/Application.h"

#include <utility>
#include <vector>

namespace platform::detail {

namespace {

int handlerDepth = 0;
std::vector<std::function<void()>> afterOutermostHandler;

} // namespace

HandlerScope::HandlerScope() noexcept {
    ++handlerDepth;
}

HandlerScope::~HandlerScope() {
    if (--handlerDepth > 0)
        return;
    // An action may enter a handler of its own; what that one puts off runs when it returns.
    for (std::function<void()>& action : std::exchange(afterOutermostHandler, {})) {
        try {
            action();
        } catch (...) {
            reportCurrentException();
        }
    }
}

void whenHandlersReturn(std::function<void()> action) {
    if (handlerDepth == 0)
        action();
    else
        afterOutermostHandler.push_back(std::move(action));
}

} // namespace platform::detail
