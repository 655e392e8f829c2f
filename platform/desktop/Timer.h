#pragma once

#include "platform/desktop/Control.h"
#include "platform/desktop/Event.h"

#include <cstdint>
#include <memory>

namespace platform {

class Timer;
namespace detail {
void fireTimer(Timer& timer);
struct DesktopWait;
DesktopWait desktopWait(const Timer& timer);
} // namespace detail

// A timer that belongs to a window. It runs once the window has registered it, as its mode
// says: 0 off, 1 fire once, 2 fire every Period milliseconds.
class Timer : public Control {
  public:
    Timer();
    ~Timer() override;
    const char* ClassName() const override { return "Timer"; }
    // A timer needs no construction of its own; it starts when its window registers it.
    void Constructor() {}

    std::int64_t Period() const;
    void SetPeriod(std::int64_t milliseconds);
    std::int64_t RunMode() const;
    void SetRunMode(std::int64_t mode);
    // Starts the period afresh.
    void Reset();

    Event<void(Timer&)> Action;

  protected:
    void ApplyProperty(const LayoutProperty& property) override;
    void AttachedTo(Window& window) override;
    // A closed window's timer never fires again.
    void WindowClosed() override;

  private:
    friend void detail::fireTimer(Timer& timer);
    friend detail::DesktopWait detail::desktopWait(const Timer& timer);
    void restart();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
