#include "platform/desktop/Timer.h"

#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Timer_p.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

namespace platform {

struct Timer::Impl {
    QTimer timer;
    std::int64_t period = 1000;
    std::int64_t mode = 2;
};

namespace detail {

TimerScheduler* timerScheduler = nullptr;

void fireTimer(Timer& timer) {
    if (timer.m_impl->mode == 1)
        timer.m_impl->mode = 0;
    Guarded([&timer] { timer.Action.Raise(timer); });
}

DesktopWait desktopWait(const Timer& timer) {
    const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    const auto registered = loop ? loop->registeredTimers(&timer.m_impl->timer)
                                 : QList<QAbstractEventDispatcher::TimerInfo>();
    if (registered.isEmpty())
        return {};
    return {true, registered.front().interval, registered.front().timerType == Qt::PreciseTimer};
}

} // namespace detail

Timer::Timer() : m_impl(std::make_unique<Impl>()) {
    // A period is kept to the millisecond: the toolkit's default, coarse timers may fire up to
    // 5 % of it early or late, 200 ms either side of the About window's four seconds.
    m_impl->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_impl->timer, &QTimer::timeout, &m_impl->timer,
                     [this] { detail::fireTimer(*this); });
}

Timer::~Timer() {
    if (detail::timerScheduler)
        detail::timerScheduler->stop(*this);
}

std::int64_t Timer::Period() const {
    return m_impl->period;
}

void Timer::SetPeriod(std::int64_t milliseconds) {
    m_impl->period = milliseconds;
    restart();
}

std::int64_t Timer::RunMode() const {
    return m_impl->mode;
}

void Timer::SetRunMode(std::int64_t mode) {
    m_impl->mode = mode;
    restart();
}

void Timer::Reset() {
    restart();
}

void Timer::restart() {
    m_impl->timer.stop();
    if (detail::timerScheduler)
        detail::timerScheduler->stop(*this);
    if (!OwnerWindow() || m_impl->mode == 0)
        return;
    const std::int64_t period = std::max<std::int64_t>(0, m_impl->period);
    if (detail::timerScheduler)
        return detail::timerScheduler->start(*this, period, m_impl->mode == 2);
    m_impl->timer.setSingleShot(m_impl->mode == 1);
    m_impl->timer.start(static_cast<int>(period));
}

void Timer::WindowClosed() {
    m_impl->mode = 0;
    restart();
}

void Timer::AttachedTo(Window& window) {
    Control::AttachedTo(window);
    restart();
}

void Timer::ApplyProperty(const LayoutProperty& property) {
    if (property.key == "Period")
        SetPeriod(static_cast<std::int64_t>(detail::sizeValue(property)));
    else if (property.key == "RunMode")
        SetRunMode(static_cast<std::int64_t>(detail::sizeValue(property)));
    else
        Control::ApplyProperty(property);
}

} // namespace platform
