#include "platform/desktop/HandlerScope.h"

#include "platform/desktop/Application.h"
#include "platform/desktop/HeldInput_p.h"

#include <QApplication>
#include <QCursor>
#include <chrono>
#include <utility>
#include <vector>

namespace platform::detail {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kMoment = std::chrono::milliseconds(250);

int handlerDepth = 0;
Clock::time_point workStarted;
bool busyCursorShown = false;
std::vector<std::function<void()>> afterOutermostHandler;

void hideBusyCursor() {
    if (!std::exchange(busyCursorShown, false))
        return;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

} // namespace

HandlerScope::HandlerScope() noexcept {
    if (handlerDepth++ == 0)
        workStarted = Clock::now();
}

HandlerScope::~HandlerScope() {
    if (--handlerDepth > 0)
        return;
    hideBusyCursor();
    // An action may enter a handler of its own; what that one puts off runs when it returns.
    for (std::function<void()>& action : std::exchange(afterOutermostHandler, {})) {
        try {
            action();
        } catch (...) {
            reportCurrentException();
        }
    }
}

bool handlerIsRunning() noexcept {
    return handlerDepth > 0;
}

void whenHandlersReturn(std::function<void()> action) {
    if (handlerDepth == 0)
        action();
    else
        afterOutermostHandler.push_back(std::move(action));
}

void noteWorkGoesOn() {
    if (handlerDepth == 0 || busyCursorShown || Clock::now() - workStarted < kMoment ||
        !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursorShown = true;
}

WaitingForUser::WaitingForUser() : m_inputWasHeld(InputHold::setInputHeld(false)) {
    hideBusyCursor();
}

WaitingForUser::~WaitingForUser() {
    InputHold::setInputHeld(m_inputWasHeld);
    workStarted = Clock::now();
}

} // namespace platform::detail
