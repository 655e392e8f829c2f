#include "platform/testing/LongWork.h"

#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Window.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>

namespace platform::testing {

bool BusyCursorShows() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

namespace {
using Clock = std::chrono::steady_clock;
} // namespace

struct RepaintRecorder::Impl : QObject {
    QPointer<QWidget> content;
    QTimer dirtier;
    bool recording = false;
    std::int64_t repaints = 0;
    Clock::time_point last;
    Clock::duration longest{};

    void mark() {
        const Clock::time_point now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (recording && watched == content && event->type() == QEvent::Paint) {
            mark();
            ++repaints;
        }
        return false;
    }
};

RepaintRecorder::RepaintRecorder(Window& window) : m_impl(std::make_unique<Impl>()) {
    m_impl->content = &detail::WindowAccess::content(window);
    m_impl->content->installEventFilter(m_impl.get());
    m_impl->dirtier.setInterval(1);
    QObject::connect(&m_impl->dirtier, &QTimer::timeout, m_impl.get(), [impl = m_impl.get()] {
        if (impl->content)
            impl->content->update();
    });
    m_impl->dirtier.start();
}

RepaintRecorder::~RepaintRecorder() {
    if (m_impl->content)
        m_impl->content->removeEventFilter(m_impl.get());
}

void RepaintRecorder::Start() {
    m_impl->recording = true;
    m_impl->repaints = 0;
    m_impl->longest = {};
    m_impl->last = Clock::now();
}

void RepaintRecorder::Stop() {
    if (!m_impl->recording)
        return;
    m_impl->mark();
    m_impl->recording = false;
}

std::int64_t RepaintRecorder::Repaints() const {
    return m_impl->repaints;
}

double RepaintRecorder::LongestIntervalSeconds() const {
    return std::chrono::duration<double>(m_impl->longest).count();
}

} // namespace platform::testing
