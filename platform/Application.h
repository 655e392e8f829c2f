#pragma once

#include "platform/HandlerScope.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace platform {

// The application's run time: the one event loop of the process. If an application object of
// the toolkit exists already (as in tests), it is adopted rather than created anew.
class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the event loop until Quit; returns the exit code given to Quit. Returns at once when
    // Quit was called before the loop started.
    int Run();

    // Calls `lateStartUp` once the event loop runs and the platform is ready.
    static void CallWhenReady(std::function<void()> lateStartUp);
    // High-resolution display support; call before an Application exists. Windows are laid
    // out in points (device-independent pixels) whatever the screen.
    static void _SetSupportsHiDPI(bool supported);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Ends the event loop with that exit code.
void Quit(std::int64_t code);

// The platform's report of a failure that no handler caught: goes to the dialog host. The
// application goes on running afterwards.
void ReportUnhandledFailure(const std::exception& failure);

namespace detail {
// Reports the exception being handled; never throws.
void reportCurrentException() noexcept;
} // namespace detail

// Runs an event handler where the toolkit called into our code. Exceptions must not cross the
// toolkit's event loop, so a failure is reported and the handler's result is a default value.
template <class F> auto Guarded(F&& handler) noexcept -> std::invoke_result_t<F&> {
    using Result = std::invoke_result_t<F&>;
    const detail::HandlerScope running;
    try {
        return handler();
    } catch (...) {
        detail::reportCurrentException();
    }
    if constexpr (!std::is_void_v<Result>)
        return Result{};
}

namespace testing {
// The code of the last Quit call, if any.
std::optional<std::int64_t> RequestedExitCode();
void ResetRequestedExitCode();
} // namespace testing

} // namespace platform
