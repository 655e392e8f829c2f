#include "platform/Yield.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

namespace platform::detail {

namespace {
constexpr std::uint32_t kCallsBetweenClockChecks = 4096;
constexpr auto kRepaintInterval = std::chrono::milliseconds(50);
std::chrono::steady_clock::time_point lastRepaint = std::chrono::steady_clock::now();
} // namespace

std::uint32_t yieldCountdown = kCallsBetweenClockChecks;

void yieldSlowly() {
    yieldCountdown = kCallsBetweenClockChecks;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRepaint < kRepaintInterval || !QCoreApplication::instance())
        return;
    lastRepaint = now;
    // Paint and timer events only: user input waits, so no second action starts inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform::detail
