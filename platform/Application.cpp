#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Window.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>
#include <typeinfo>

namespace platform {

namespace {
std::optional<std::int64_t> requestedExitCode;
} // namespace

struct Application::Impl {
    std::unique_ptr<QApplication> owned;
};

Application::Application(int& argc, char** argv) : m_impl(std::make_unique<Impl>()) {
    if (!QApplication::instance())
        m_impl->owned = std::make_unique<QApplication>(argc, argv);
    // Windows end the run explicitly (the main window's Close quits); a hidden first window
    // must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

Application::~Application() {
    detail::destroyAllWindows();
}

int Application::Run() {
    if (requestedExitCode)
        return static_cast<int>(*requestedExitCode);
    return QApplication::exec();
}

void Application::CallWhenReady(std::function<void()> lateStartUp) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [lateStartUp = std::move(lateStartUp)] { Guarded(lateStartUp); });
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

void Quit(std::int64_t code) {
    requestedExitCode = code;
    QCoreApplication::exit(static_cast<int>(code));
}

void ReportUnhandledFailure(const std::exception& failure) {
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
            ReportUnhandledFailure(failure);
        } catch (...) {
            ReportUnhandledFailure(std::runtime_error("a failure of unknown type"));
        }
    } catch (const std::exception& reportFailure) {
        std::fprintf(stderr, "The report of an unhandled failure failed: %s\n",
                     reportFailure.what());
    } catch (...) {
        std::fprintf(stderr, "The report of an unhandled failure failed.\n");
    }
}
} // namespace detail

namespace testing {
std::optional<std::int64_t> RequestedExitCode() {
    return requestedExitCode;
}
void ResetRequestedExitCode() {
    requestedExitCode.reset();
}
} // namespace testing

} // namespace platform
