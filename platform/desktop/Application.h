#pragma once

#include "platform/core/String.h"
#include "platform/desktop/HandlerScope.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <type_traits>

namespace platform {

class MenuBar;

// The process's run time. `main` starts it first, with the arguments exactly as the process
// received them; the toolkit itself starts in _RunFrameworkInitialization. When it ends, the
// windows still open are destroyed and the toolkit ends (the finalisers).
class RunTime {
  public:
    RunTime(int& argc, char** argv);
    ~RunTime();
    RunTime(const RunTime&) = delete;
    RunTime& operator=(const RunTime&) = delete;

    // The exit step: the exit code given to Quit; without one, 0 when the event loop ran and
    // 1 when it never did (start-up failed before it).
    int Exit() const;
};

// The application object: the version record and the menu bar. The program derives its own
// class, makes the one object and registers it with _RuntimeRegisterAppObject.
class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // High-resolution display support for the whole application: windows are laid out in
    // points, drawn at the screen's own density. Call before the toolkit starts.
    static void _SetSupportsHiDPI(bool supported);

    // Stores the version record in one step.
    void _x_SetVersionData(std::int64_t majorVersion, std::int64_t minorVersion,
                           std::int64_t bugVersion, std::int64_t nonReleaseVersion,
                           std::int64_t stageCode, const String& longVersion,
                           const String& shortVersion, const String& packageInfo);
    std::int64_t MajorVersion() const;
    std::int64_t MinorVersion() const;
    std::int64_t BugVersion() const;
    std::int64_t NonReleaseVersion() const;
    // 0 development, 1 alpha, 2 beta, 3 final.
    std::int64_t StageCode() const;
    const String& LongVersion() const;
    const String& ShortVersion() const;
    const String& PackageInfo() const;

    // Installs the application's menu bar, which every document window shows; the bar must
    // outlive the application object. Off the main thread it raises ThreadAccessingUIException.
    void SetMenuBar(platform::MenuBar& bar);
    platform::MenuBar* MenuBar() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Makes `application` the application object and hands its name and short version to the
// desktop.
void _RuntimeRegisterAppObject(Application& application);
// The registered application object; nullptr before registration.
Application* App();

// Completes the platform's initialisation (the toolkit starts, if it has not yet) and keeps
// `lateStartup`, which the platform calls once, from within the event loop, once it runs.
void _RunFrameworkInitialization(std::function<void()> lateStartup);
// Runs the event loop until Quit; returns at once when Quit was called before.
void _RuntimeRun();

// Ends the event loop with that exit code.
void Quit(std::int64_t code);

// The platform's report of a failure that nothing caught: it goes to the dialog host. The
// application goes on running afterwards.
void _UnhandledException(const std::exception& failure);

namespace detail {
// Reports the exception being handled; never throws.
void reportCurrentException() noexcept;
} // namespace detail

// Runs an event handler where the toolkit called into our code. Exceptions must not cross the
// toolkit's event loop, so a failure is reported and the handler's result is a default value.
// A handler that the end of the run unwinds just stops.
template <class F> auto Guarded(F&& handler) noexcept -> std::invoke_result_t<F&> {
    using Result = std::invoke_result_t<F&>;
    const detail::HandlerScope running;
    try {
        return handler();
    } catch (const detail::RunEnding&) {
    } catch (...) {
        detail::reportCurrentException();
    }
    if constexpr (!std::is_void_v<Result>)
        return Result{};
}

} // namespace platform
