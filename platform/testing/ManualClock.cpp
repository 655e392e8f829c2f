#include "platform/testing/ManualClock.h"

#include "platform/core/String.h"
#include "platform/desktop/Timer.h"
#include "platform/desktop/Timer_p.h"
#include "platform/desktop/Window.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace platform::testing {

struct ManualClock::Scheduler : detail::TimerScheduler {
    explicit Scheduler(ManualClock& clock) : m_clock(clock) {}
    void start(Timer& timer, std::int64_t milliseconds, bool repeating) override {
        m_clock.m_due[&timer] = {m_clock.m_now + milliseconds, milliseconds, repeating,
                                 m_clock.m_started++};
    }
    void stop(Timer& timer) override { m_clock.m_due.erase(&timer); }

  private:
    ManualClock& m_clock;
};

ManualClock::ManualClock() : m_scheduler(new Scheduler(*this)) {
    detail::timerScheduler = m_scheduler;
}

ManualClock::~ManualClock() {
    detail::timerScheduler = nullptr;
    delete m_scheduler;
}

void ManualClock::Advance(std::int64_t milliseconds) {
    const std::int64_t target = m_now + milliseconds;
    for (;;) {
        const auto next =
            std::min_element(m_due.begin(), m_due.end(), [](const auto& a, const auto& b) {
                return a.second.at != b.second.at ? a.second.at < b.second.at
                                                  : a.second.order < b.second.order;
            });
        if (next == m_due.end() || next->second.at > target)
            break;
        Timer& timer = *next->first;
        m_now = next->second.at;
        if (next->second.repeating)
            next->second.at += std::max<std::int64_t>(1, next->second.period);
        else
            m_due.erase(next);
        detail::fireTimer(timer);
    }
    m_now = target;
}

DesktopTimers::DesktopTimers() : m_suspended(std::exchange(detail::timerScheduler, nullptr)) {}

DesktopTimers::~DesktopTimers() {
    detail::timerScheduler = m_suspended;
}

Timer& AddStoppedTimer(Window& window, const String& name) {
    auto timer = std::make_unique<Timer>();
    // Off before the window registers it: a timer starts as its mode says once registered.
    timer->SetRunMode(0);
    timer->SetPeriod(0);
    Timer& added = *timer;
    window._AddControl(name, std::move(timer));
    return added;
}

} // namespace platform::testing
