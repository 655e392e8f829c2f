#include "platform/Timer.h"

#include "platform/Application.h"
#include "platform/Controls_p.h"

#include <QTimer>

namespace platform {

struct Timer::Impl {
    QTimer timer;
    std::int64_t period = 1000;
    std::int64_t mode = 2;
};

Timer::Timer() : m_impl(std::make_unique<Impl>()) {
    QObject::connect(&m_impl->timer, &QTimer::timeout, &m_impl->timer, [this] {
        if (m_impl->mode == 1)
            m_impl->mode = 0;
        Guarded([this] { Action.Raise(*this); });
    });
}

Timer::~Timer() = default;

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
    if (!OwnerWindow() || m_impl->mode == 0)
        return;
    m_impl->timer.setSingleShot(m_impl->mode == 1);
    m_impl->timer.start(static_cast<int>(std::max<std::int64_t>(0, m_impl->period)));
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
