#include "platform/Yield.h"

#include "platform/HandlerScope.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

namespace platform {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kRepaintInterval = std::chrono::milliseconds(50);
Clock::time_point lastRepaint;
} // namespace

void YieldToPlatform() {
    if (Clock::now() - lastRepaint < kRepaintInterval || !QCoreApplication::instance())
        return;
    detail::noteWorkGoesOn();
    // Paint and timer events only: user input waits, so no second action starts inside this one.
    // What the first pass's timers and window events mark for repainting is painted by a second
    // pass, instead of waiting for the next yield.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Measured from the end of the repaint, so that slow painting never starves the work.
    lastRepaint = Clock::now();
}

} // namespace platform
