#include "platform/desktop/Application_p.h"
#include "platform/desktop/HandlerScope.h"
#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/RepaintingYield_p.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cstdint>
#include <time.h>

namespace platform::detail {

namespace {

constexpr std::int64_t kRepaintIntervalNanoseconds = 50'000'000;

// The yield runs at every pass of every long loop, so it reads the coarse clock where there is
// one: a fifth of the cost of the fine one, and its few milliseconds of resolution are plenty
// for an interval of 50.
std::int64_t monotonicNanoseconds() {
#ifdef CLOCK_MONOTONIC_COARSE
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &time);
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
#else
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

std::int64_t lastRepaint = 0;
std::int64_t yields = 0;

// Once the run has been asked to end, the running handler has nothing left to do for anyone.
void endTheHandlerIfTheRunEnds() {
    if (requestedExitCode() && handlerIsRunning())
        throw RunEnding{};
}

} // namespace

void repaintingYield() {
    ++yields;
    endTheHandlerIfTheRunEnds();
    if (monotonicNanoseconds() - lastRepaint < kRepaintIntervalNanoseconds ||
        !QCoreApplication::instance())
        return;
    noteWorkGoesOn();
    {
        // Windows repaint and timers fire; the user's input waits but for the ways of ending the
        // run, so no second action starts inside this one. What the first pass's timers and
        // window events mark for repainting is painted by a second pass, instead of waiting for
        // the next yield.
        const InputHold hold(true);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // Measured from the end of the repaint, so that slow painting never starves the work.
    lastRepaint = monotonicNanoseconds();
    endTheHandlerIfTheRunEnds();
}

std::int64_t yieldCount() noexcept {
    return yields;
}

} // namespace platform::detail
