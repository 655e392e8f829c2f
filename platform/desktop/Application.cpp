#include "platform/desktop/Application.h"

#include "platform/core/Errors.h"
#include "platform/core/QtString_p.h"
#include "platform/core/Yield.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/MenuBar.h"
#include "platform/desktop/Menus_p.h"
#include "platform/desktop/RepaintingYield_p.h"
#include "platform/desktop/Toolkit_p.h"
#include "platform/desktop/Windows_p.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

namespace platform {

namespace {

struct RunState {
    int* argc = nullptr;
    char** argv = nullptr;
    std::thread::id mainThread = std::this_thread::get_id();
    std::unique_ptr<QApplication> toolkit;
    bool loopRan = false;
    int loopResult = 0;
};

RunState& runState() {
    static RunState state;
    return state;
}

Application* registered = nullptr;

} // namespace

namespace detail {

std::vector<std::string>* traceLog = nullptr;

std::vector<std::function<void()>>& loopSteps() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

std::optional<std::int64_t>& requestedExitCode() {
    static std::optional<std::int64_t> code;
    return code;
}

bool isMainThread() {
    if (const QCoreApplication* toolkit = QCoreApplication::instance())
        return QThread::currentThread() == toolkit->thread();
    return std::this_thread::get_id() == runState().mainThread;
}

void startToolkit() {
    if (QCoreApplication::instance())
        return;
    RunState& state = runState();
    static int noArguments = 0;
    if (!state.argc) {
        state.argc = &noArguments;
        state.argv = nullptr;
    }
    state.toolkit = createToolkit(*state.argc, state.argv);
    SetYieldHook(&repaintingYield);
}

} // namespace detail

using detail::requestedExitCode;

RunTime::RunTime(int& argc, char** argv) {
    RunState& state = runState();
    state.argc = &argc;
    state.argv = argv;
    state.mainThread = std::this_thread::get_id();
}

RunTime::~RunTime() {
    detail::destroyAllWindows();
    if (registered && registered->MenuBar())
        detail::releaseMenuActions(*registered->MenuBar());
    SetYieldHook(nullptr);
    runState().toolkit.reset();
}

int RunTime::Exit() const {
    if (requestedExitCode())
        return static_cast<int>(*requestedExitCode());
    const RunState& state = runState();
    return state.loopRan ? state.loopResult : 1;
}

struct Application::Impl {
    std::int64_t majorVersion = 0, minorVersion = 0, bugVersion = 0, nonReleaseVersion = 0;
    std::int64_t stageCode = 0;
    String longVersion, shortVersion, packageInfo;
    platform::MenuBar* menuBar = nullptr;
};

Application::Application() : m_impl(std::make_unique<Impl>()) {
    detail::trace("application object created");
}

Application::~Application() {
    if (registered == this)
        registered = nullptr;
}

void Application::_SetSupportsHiDPI(bool supported) {
    if (QCoreApplication::instance())
        return;
    // Qt 6 always scales by the screen's ratio; pass it through unrounded so that a point is a
    // point also on fractional scales.
    if (supported)
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

void Application::_x_SetVersionData(std::int64_t majorVersion, std::int64_t minorVersion,
                                    std::int64_t bugVersion, std::int64_t nonReleaseVersion,
                                    std::int64_t stageCode, const String& longVersion,
                                    const String& shortVersion, const String& packageInfo) {
    Impl& impl = *m_impl;
    impl.majorVersion = majorVersion;
    impl.minorVersion = minorVersion;
    impl.bugVersion = bugVersion;
    impl.nonReleaseVersion = nonReleaseVersion;
    impl.stageCode = stageCode;
    impl.longVersion = longVersion;
    impl.shortVersion = shortVersion;
    impl.packageInfo = packageInfo;
}

std::int64_t Application::MajorVersion() const {
    return m_impl->majorVersion;
}
std::int64_t Application::MinorVersion() const {
    return m_impl->minorVersion;
}
std::int64_t Application::BugVersion() const {
    return m_impl->bugVersion;
}
std::int64_t Application::NonReleaseVersion() const {
    return m_impl->nonReleaseVersion;
}
std::int64_t Application::StageCode() const {
    return m_impl->stageCode;
}
const String& Application::LongVersion() const {
    return m_impl->longVersion;
}
const String& Application::ShortVersion() const {
    return m_impl->shortVersion;
}
const String& Application::PackageInfo() const {
    return m_impl->packageInfo;
}

void Application::SetMenuBar(platform::MenuBar& bar) {
    detail::requireMainThread("The menu bar");
    m_impl->menuBar = &bar;
    detail::trace("menu bar installed");
    for (Window* window : detail::openWindows())
        detail::WindowAccess::showMenuBar(*window);
}

platform::MenuBar* Application::MenuBar() const {
    return m_impl->menuBar;
}

void _RuntimeRegisterAppObject(Application& application) {
    registered = &application;
    QCoreApplication::setApplicationName(detail::toQt(application.PackageInfo()));
    QCoreApplication::setApplicationVersion(detail::toQt(application.ShortVersion()));
    detail::trace("application object registered");
}

Application* App() {
    return registered;
}

void _RunFrameworkInitialization(std::function<void()> lateStartup) {
    detail::startToolkit();
    if (lateStartup)
        QTimer::singleShot(0, QCoreApplication::instance(),
                           [lateStartup = std::move(lateStartup)] { Guarded(lateStartup); });
    for (std::function<void()>& step : std::exchange(detail::loopSteps(), {}))
        QTimer::singleShot(0, QCoreApplication::instance(),
                           [step = std::move(step)] { Guarded(step); });
}

void _RuntimeRun() {
    if (requestedExitCode())
        return;
    detail::startToolkit();
    RunState& state = runState();
    state.loopRan = true;
    state.loopResult = QApplication::exec();
}

void Quit(std::int64_t code) {
    requestedExitCode() = code;
    QCoreApplication::exit(static_cast<int>(code));
}

void _UnhandledException(const std::exception& failure) {
    const detail::WaitingForUser waiting;
    std::string text;
    if (const auto* platformError = dynamic_cast<const PlatformError*>(&failure))
        text = std::string(platformError->className()) + ": " + failure.what();
    else
        text = failure.what();
    CurrentDialogHost().ReportUnhandledFailure(String(text));
}

namespace detail {
void reportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& failure) {
            _UnhandledException(failure);
        } catch (...) {
            _UnhandledException(std::runtime_error("a failure of unknown type"));
        }
    } catch (const std::exception& reportFailure) {
        std::fprintf(stderr, "The report of an unhandled failure failed: %s\n",
                     reportFailure.what());
    } catch (...) {
        std::fprintf(stderr, "The report of an unhandled failure failed.\n");
    }
}
} // namespace detail

} // namespace platform
