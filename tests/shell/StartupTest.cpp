// Start-up runs once per process, so each case runs the program's own entry in a fresh child
// process of this test binary ("--scenario NAME"), which reports what it saw on its standard
// output; the test reads the report.

#include "shell/Startup.h"

#include "Authorship.h"
#include "TemporaryFiles.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Timer.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/Menu.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace platform;
using namespace platform::testing;

// What a scenario reports besides the trace: "name value" lines.
void Report(const std::string& name, const std::string& value) {
    std::printf("check %s %s\n", name.c_str(), value.c_str());
}

std::string OpenWindows() {
    std::string list;
    for (const char* name :
         {"AboutWnd.AboutWnd", "ControlWnd.ControlWnd", "DescriptionWnd.DescriptionWnd"})
        if (Window* window = _GetImplicitWindow(name))
            list += std::string(list.empty() ? "" : ",") + name +
                    (window->IsVisible() ? ":shown" : ":hidden");
    return list;
}

// The yields counted when a scenario asked for the end of the run; -1 when it did not.
std::int64_t yieldsAtRequest = -1;

// Get Data on a file that takes minutes to read (64 GiB with no line end), and a timer of the
// main window that asks for the end of the run at the action's first yield. The scenario
// reports how many yields came after the request and what the report area held by then.
void ReadEndlesslyAndThen(ScriptedDialogs& dialogs, std::function<void()> request) {
    static const TemporaryFile endless("", ".endless");
    if (::truncate(endless.path().c_str(), std::int64_t{64} << 30) != 0)
        std::printf("check setup cannot make %s\n", endless.path().c_str());
    dialogs.QueueOpenFile(endless.path());
    WhenEventLoopRuns([request = std::move(request)] {
        ClickInWindow(AboutWnd(), 5, 5);
        class ControlWnd& window = ControlWnd();
        auto timer = std::make_unique<Timer>();
        timer->SetPeriod(0);
        timer->Action.Bind([request](Timer&) {
            yieldsAtRequest = YieldCount();
            request();
        });
        window._AddControl("Requester", std::move(timer));
        window.ObserversFld().SetText("6");
        window.CasesFld().SetText("30");
        window.CatsFld().SetText("5");
        window._ControlByNameAs<Timer>("Requester").SetRunMode(1);
        Click(window.CalculateBtn());
        Report("report", window.ResultsFld().Text().empty() ? "empty" : "appended");
    });
}

// Each scenario prepares the run and says what to do once the event loop runs.
const std::map<std::string, std::function<void(MenuOperationProbe&, ScriptedDialogs&)>>&
Scenarios() {
    static const std::map<std::string, std::function<void(MenuOperationProbe&, ScriptedDialogs&)>>
        scenarios{
            {"first-window",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     Report("windows", OpenWindows());
                     Report("about-is-dialog", IsDialogWindow(AboutWnd()) ? "yes" : "no");
                     const Application& app = *App();
                     Report("version", std::to_string(app.MajorVersion()) + " " +
                                           std::to_string(app.MinorVersion()) + " " +
                                           std::to_string(app.BugVersion()) + " " +
                                           std::to_string(app.NonReleaseVersion()) + " " +
                                           std::to_string(app.StageCode()) + " " +
                                           app.ShortVersion().str() + " " +
                                           app.PackageInfo().str());
                     Report("long-version", app.LongVersion().str());
                     Report("bar-is-menu", app.MenuBar() == &Menu() ? "yes" : "no");
                     Quit(0);
                 });
             }},
            {"menu-failure",
             [](MenuOperationProbe& probe, ScriptedDialogs&) {
                 probe.FailAt("AddMenu", 3);
                 WhenEventLoopRuns([] { Report("loop", "ran"); });
             }},
            {"close-main-with-about-and-description-open",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     PressKeysInWindow(AboutWnd(), "X");
                     ChooseDrawnItem(ControlWnd(), "Window", "Description");
                     AboutWnd().Show();
                     Report("windows", OpenWindows());
                     CloseWindow(ControlWnd());
                 });
             }},
            {"quit-item",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     ClickInWindow(AboutWnd(), 5, 5);
                     Report("chosen", ChooseDrawnItem(ControlWnd(), "File", "Quit") ? "yes" : "no");
                 });
             }},
            {"quit-shortcut",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     ClickInWindow(AboutWnd(), 5, 5);
                     PressKeysInWindow(ControlWnd(), "Ctrl+Q");
                 });
             }},
            {"close-main-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndThen(dialogs, [] { CloseWindow(ControlWnd()); });
             }},
            {"quit-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndThen(dialogs, [] { Quit(0); });
             }},
            {"quit-item-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndThen(dialogs,
                                      [] { ChooseDrawnItem(ControlWnd(), "File", "Quit"); });
             }},
            {"quit-shortcut-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndThen(dialogs, [] { PressKeysInWindow(ControlWnd(), "Ctrl+Q"); });
             }},
            {"close-about-first",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] { CloseWindow(AboutWnd()); });
             }},
        };
    return scenarios;
}

int RunScenario(const std::string& name, char* program) {
    ::alarm(30); // a scenario that hangs ends instead of blocking the suite
    const auto found = Scenarios().find(name);
    if (found == Scenarios().end())
        return 99;
    ScriptedDialogs dialogs;
    PlatformTrace trace;
    MenuOperationProbe probe;
    found->second(probe, dialogs);
    char* arguments[] = {program, nullptr};
    const int status = RunQuorvane(1, arguments);
    for (const std::string& event : trace.Events())
        std::printf("trace %s\n", event.c_str());
    for (const String& failure : dialogs.failures)
        std::printf("failure %s\n", failure.str().c_str());
    Report("menu-slot", Menu::_implicitInstance ? "built" : "empty");
    if (yieldsAtRequest >= 0)
        Report("yields-after-request", std::to_string(YieldCount() - yieldsAtRequest));
    std::printf("status %d\n", status);
    std::fflush(stdout);
    return status;
}

struct Outcome {
    int status = -1;
    std::vector<std::string> trace;
    std::vector<std::string> failures;
    std::map<std::string, std::string> checks;
    bool has(const std::string& event) const {
        return std::find(trace.begin(), trace.end(), event) != trace.end();
    }
};

Outcome RunInChild(const char* scenario) {
    char self[] = "/proc/self/exe";
    char flag[] = "--scenario";
    std::string name = scenario;
    char* argv[] = {self, flag, name.data(), nullptr};
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    Outcome outcome;
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return outcome;
    outcome.status = WEXITSTATUS(status);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start);
        const std::size_t blank = line.find(' ');
        const std::string kind = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (kind == "trace")
            outcome.trace.push_back(rest);
        else if (kind == "failure")
            outcome.failures.push_back(rest);
        else if (kind == "check") {
            const std::size_t split = rest.find(' ');
            outcome.checks[rest.substr(0, split)] =
                split == std::string::npos ? "" : rest.substr(split + 1);
        }
    }
    return outcome;
}

// The file type comes before the application object, the bar is installed before the object
// is registered, and the About window is the first and only window, shown by the late phase.
TEST(Startup, OrderOfTheEarlyPhaseAndTheFirstWindow) {
    const Outcome run = RunInChild("first-window");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.trace, (std::vector<std::string>{
                             "file type registered: text",
                             "application object created",
                             "menu bar installed",
                             "application object registered",
                             "window shown: AboutWnd.AboutWnd",
                         }));
    EXPECT_EQ(run.checks.at("windows"), "AboutWnd.AboutWnd:shown");
    EXPECT_EQ(run.checks.at("about-is-dialog"), "yes");
    EXPECT_EQ(run.checks.at("version"), "2 0 0 0 3 2.0 Quorvane");
    ExpectNoticeOfAuthorship(run.checks.at("long-version"));
    EXPECT_EQ(run.checks.at("bar-is-menu"), "yes");
    EXPECT_TRUE(run.failures.empty());
}

// A failure while the menu bar is built is reported once; nothing is registered, the slot
// stays empty, the event loop never runs, and the process ends with status 1.
TEST(Startup, AFailureWhileTheMenuBarIsBuiltEndsStartUp) {
    const Outcome run = RunInChild("menu-failure");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.failures,
              std::vector<std::string>{"PlatformError: The menu operation AddMenu failed."});
    EXPECT_TRUE(run.has("file type registered: text"));
    EXPECT_TRUE(run.has("application object created"));
    EXPECT_FALSE(run.has("menu bar installed"));
    EXPECT_FALSE(run.has("application object registered"));
    EXPECT_EQ(run.checks.count("loop"), 0u);
    EXPECT_EQ(run.checks.at("menu-slot"), "empty");
}

TEST(Startup, ClosingTheMainWindowEndsWithZeroWhileTheOtherWindowsAreOpen) {
    const Outcome run = RunInChild("close-main-with-about-and-description-open");
    EXPECT_EQ(run.checks.at("windows"), "AboutWnd.AboutWnd:shown,ControlWnd.ControlWnd:shown,"
                                        "DescriptionWnd.DescriptionWnd:shown");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.failures.empty());
}

TEST(Startup, QuitFromTheFileMenuAndFromItsShortcutEndsWithZero) {
    for (const char* scenario : {"quit-item", "quit-shortcut"}) {
        SCOPED_TRACE(scenario);
        const Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.has("window shown: ControlWnd.ControlWnd"));
        EXPECT_TRUE(run.failures.empty());
    }
    EXPECT_EQ(RunInChild("quit-item").checks.at("chosen"), "yes");
}

// Closing the main window or asking for Quit in any way while Get Data reads a file that would
// take minutes ends the run at that very yield, with status 0, nothing appended and no failure.
TEST(Startup, QuitAndCloseDuringALongReadEndTheRunAtOnce) {
    for (const char* scenario : {"close-main-during-read", "quit-during-read",
                                 "quit-item-during-read", "quit-shortcut-during-read"}) {
        SCOPED_TRACE(scenario);
        Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.checks.count("setup"), 0u) << run.checks["setup"];
        EXPECT_EQ(run.checks["report"], "empty");
        EXPECT_EQ(run.checks["yields-after-request"], "0");
        EXPECT_TRUE(run.failures.empty());
    }
}

// Closing the About window before the main window exists leaves no window, and the
// application ends by itself rather than running on unseen.
TEST(Startup, ClosingTheFirstWindowEndsTheApplication) {
    const Outcome run = RunInChild("close-about-first");
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.has("window shown: ControlWnd.ControlWnd"));
    EXPECT_TRUE(run.failures.empty());
}

// The built program starts on the offscreen platform and keeps running its event loop; the
// window cannot be closed from outside there, so the test ends it with a signal.
TEST(Startup, TheProgramStartsAndKeepsRunning) {
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

int main(int argc, char** argv) {
    // As every test binary's main does; the children and the program inherit both.
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    ::setenv("LC_ALL", "C.UTF-8", /*overwrite=*/1);
    if (argc == 3 && std::string(argv[1]) == "--scenario")
        return RunScenario(argv[2], argv[0]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
