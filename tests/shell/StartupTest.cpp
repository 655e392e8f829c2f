#include "platform/Application.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace platform;
using namespace platform::testing;

namespace {

// A hidden window whose timer ends the run with code 7 should nothing else end it.
class Watchdog : public Window {
  public:
    std::string_view FullClassName() const override { return "QuorvaneRunTest.Watchdog"; }

  protected:
    void CreateControls() override {
        auto timer = std::make_unique<Timer>();
        timer->SetRunMode(1);
        timer->SetPeriod(10000);
        timer->Action.Bind([](Timer&) { Quit(7); });
        _AddControl("Timer", std::move(timer));
    }
};

// The program's own start-up, run in this process: the event loop ends when the main window
// closes, and Run hands back the code that Close quit with.
TEST(QuorvaneRun, ClosingTheMainWindowEndsTheEventLoopWithCodeZero) {
    ScriptedDialogs dialogs;
    int argc = 1;
    char name[] = "quorvane";
    char* argv[] = {name, nullptr};
    Application application(argc, argv);
    Watchdog& watchdog = NewWindow<Watchdog>();
    watchdog.Hide();
    ResetRequestedExitCode();
    bool wasOpen = false;
    Application::CallWhenReady([] { ControlWnd(); });
    Application::CallWhenReady([&wasOpen] {
        class ControlWnd& main = ControlWnd();
        wasOpen = main.IsOpen() && main.IsVisible();
        CloseWindow(main);
    });
    EXPECT_EQ(application.Run(), 0);
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(_GetImplicitWindow("ControlWnd.ControlWnd"), nullptr);
    EXPECT_TRUE(dialogs.failures.empty());
    ResetRequestedExitCode();
}

// The built program starts on the offscreen platform and keeps running its event loop; the
// window cannot be closed from outside there, so the test ends it with a signal.
TEST(QuorvaneRun, ProgramStartsAndKeepsRunning) {
    char program[] = QUORVANE_BINARY;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program, nullptr, nullptr, argv, environ), 0);
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 20 && ended == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = ::waitpid(pid, &status, WNOHANG);
    }
    EXPECT_EQ(ended, 0) << "the program ended by itself, status " << status;
    if (ended == 0) {
        ::kill(pid, SIGTERM);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    }
}

} // namespace
