// Start-up runs once per process, so each case runs the program's own entry in a fresh child
// process of this test binary ("--scenario NAME"), which reports what it saw on its standard
// output; the test reads the report.

#include "shell/Startup.h"

#include "Authorship.h"
#include "CalculatorTestSupport.h"
#include "PdfText.h"
#include "PrivateXServer.h"
#include "TemporaryFiles.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Timer.h"
#include "platform/desktop/Window.h"
#include "platform/testing/DesktopDialogDriver.h"
#include "platform/testing/DesktopInput.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"
#include "shell/Menu.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

using namespace platform;
using namespace platform::testing;

// What a scenario reports besides the trace: "name value" lines.
void Report(const std::string& name, const std::string& value) {
    std::printf("check %s %s\n", name.c_str(), value.c_str());
}

// The scenario's own argument, given after its name; empty when none is.
std::string& ScenarioArgument() {
    static std::string argument;
    return argument;
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

// The file that a scenario prints to; the scenario reports whether the run left it behind, and
// what it left beside it.
std::string printedFile;

// What the file that the scenario prints over held before the print; empty when there was none.
std::string earlierFile;

// Starts a long action in the main window, with a timer of the window that asks for the end of
// the run at the first yield once `underWay` holds. The scenario reports how many yields came
// after the request.
void DuringALongActionAsk(
    std::function<void(class ControlWnd&)> action, std::function<void()> request,
    std::function<bool()> underWay = [] { return true; }) {
    WhenEventLoopRuns(
        [action = std::move(action), request = std::move(request), underWay = std::move(underWay)] {
            ClickInWindow(AboutWnd(), 5, 5);
            class ControlWnd& window = ControlWnd();
            Timer& requester = AddStoppedTimer(window, "Requester");
            requester.Action.Bind([request, underWay](Timer& timer) {
                if (!underWay())
                    return;
                timer.SetRunMode(0);
                yieldsAtRequest = YieldCount();
                request();
            });
            requester.SetRunMode(2);
            action(window);
        });
}

// Get Data on a file that takes minutes to read (64 GiB with no line end); the scenario also
// reports what the report area held once the action ended.
void ReadEndlesslyAndAsk(ScriptedDialogs& dialogs, std::function<void()> request) {
    static const TemporaryFile endless("", ".endless");
    if (::truncate(endless.path().c_str(), std::int64_t{64} << 30) != 0)
        std::printf("check setup cannot make %s\n", endless.path().c_str());
    dialogs.QueueOpenFile(endless.path());
    DuringALongActionAsk(
        [](class ControlWnd& window) {
            window.ObserversFld().SetText("6");
            window.CasesFld().SetText("30");
            window.CatsFld().SetText("5");
            Click(window.CalculateBtn());
            Report("report", window.ResultsFld().Text().empty() ? "empty" : "appended");
        },
        std::move(request));
}

// A text of a few hundred pages.
String LongText() {
    std::string text;
    for (int line = 0; line < 20000; ++line)
        text += "line " + std::to_string(line) + "\r";
    return String(text);
}

// The PDF file that the scenario prints to, made up afresh, in a folder of its own.
const std::string& PrintedFile() {
    static const TemporaryFolder folder;
    printedFile = folder.path() + "/printed.pdf";
    return printedFile;
}

// Puts a file where the scenario prints, as an earlier print would have left it.
void PutAnEarlierFile() {
    earlierFile = "%PDF-1.4\n% an earlier print\n";
    std::ofstream(PrintedFile(), std::ios::binary) << earlierFile;
}

// The run writes as to a disk with this many bytes of room: no file grows past them. The signal
// that the system sends for a write past that is ignored, so that the write fails.
void OnASmallDisk(rlim_t room) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = room;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        Report("setup", "cannot limit the size of files");
}

// What the run left where the scenario printed: "none", "earlier" for the earlier file as it
// was, byte for byte, or "left" for any other file.
std::string PrintedFileLeft() {
    if (!std::filesystem::exists(printedFile))
        return "none";
    std::ifstream in(printedFile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return !earlierFile.empty() && bytes == earlierFile ? "earlier" : "left";
}

// The other entries of the printed file's folder, by name; "nothing" when there are none.
std::string BesidePrintedFile() {
    std::string names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(printedFile).parent_path()))
        if (entry.path() != printedFile)
            names += (names.empty() ? "" : ",") + entry.path().filename().string();
    return names.empty() ? "nothing" : names;
}

// The printed file's text as pdftotext reads it, its lines joined by "|"; "unreadable" when
// pdftotext cannot read it.
std::string PrintedText() {
    const std::optional<std::vector<PdfPage>> pages = ReadPdf(printedFile);
    if (!pages)
        return "unreadable";
    std::string text;
    for (const PdfPage& page : *pages)
        for (const std::string& line : page.text)
            text += (text.empty() ? "" : "|") + line;
    return text;
}

// Prints the text in `print` to a PDF file, and asks for the end of the run once the job is
// under way: at the first yield of its print loop, which is the first yield of the action.
void PrintAtLengthAndAsk(std::function<void(class ControlWnd&)> print,
                         std::function<void()> request) {
    static std::int64_t yieldsBefore = 0;
    DuringALongActionAsk(
        [print = std::move(print)](class ControlWnd& window) {
            yieldsBefore = YieldCount();
            print(window);
        },
        std::move(request), [] { return YieldCount() > yieldsBefore; });
}

// A way of printing the main window's report to the scenario's file.
using PrintRoute = std::function<void(class ControlWnd&, const String& report)>;

// Prints the report to the scenario's file through the scripted dialog, to a PDF writer.
PrintRoute ThroughTheScriptedDialog(ScriptedDialogs& dialogs) {
    return [&dialogs](class ControlWnd& window, const String& report) {
        dialogs.QueuePrintToPdf(PrintedFile());
        window.ResultsFld().SetText(report);
        Click(window.PrintBtn());
    };
}

// The main window's report, printed through the scripted dialog.
void PrintReportAtLengthAndAsk(ScriptedDialogs& dialogs, std::function<void()> request) {
    PrintAtLengthAndAsk([print = ThroughTheScriptedDialog(dialogs)](
                            class ControlWnd& window) { print(window, LongText()); },
                        std::move(request));
}

// The Description window's text, made long, printed from its File menu.
void PrintHelpAtLengthAndAsk(ScriptedDialogs& dialogs, std::function<void()> request) {
    dialogs.QueuePrintToPdf(PrintedFile());
    PrintAtLengthAndAsk(
        [](class ControlWnd& window) {
            ChooseDrawnItem(window, "Window", "Description");
            DescriptionWnd().DescribeFld2().SetText(LongText());
            ChooseDrawnItem(DescriptionWnd(), "File", "Print");
        },
        std::move(request));
}

// Prints the report to the scenario's file through the desktop's real print dialog.
void PrintThroughTheRealDialog(class ControlWnd& window, const String& report) {
    DesktopDialogDriver driver;
    driver.QueuePrintDialog({.outputFile = PrintedFile(), .print = true});
    window.ResultsFld().SetText(report);
    Click(window.PrintBtn());
}

// Once the main window is up, prints the report through `route` over an earlier file of the name
// it prints to, reports the printed file's text and quits.
void PrintOverAnEarlierFile(PrintRoute route, String report) {
    PutAnEarlierFile();
    WhenEventLoopRuns([route = std::move(route), report = std::move(report)] {
        ClickInWindow(AboutWnd(), 5, 5);
        route(ControlWnd(), report);
        Report("printed-text", PrintedText());
        Quit(0);
    });
}

// A report of one page, which the scenarios print in full.
const String kShortReport("kappa\r0.430\r");

// Reports in the main window's area.
std::size_t ReportsShown() {
    return calculator::testing::ReportsIn(ControlWnd().ResultsFld().Text().str());
}

// While Get Data reads a long file, the user clicks Get Data, types the path of the sample and
// presses Return. Once a second report is there, or the dialog has been closed unanswered, the
// scenario reports what it saw and quits.
void TypeAheadIntoTheOpenDialog(ScriptedDialogs& dialogs) {
    static const TemporaryFile slow(calculator::testing::PaddedSample(1024));
    static const TemporaryFile sample(calculator::testing::SampleText("\r"));
    static std::optional<DesktopDialogDriver> driver;
    dialogs.QueueOpenFile(slow.path());
    WhenEventLoopRuns([] {
        ClickInWindow(AboutWnd(), 5, 5);
        class ControlWnd& window = ControlWnd();
        window.ObserversFld().SetText("6");
        window.CasesFld().SetText("30");
        window.CatsFld().SetText("5");
        Timer& user = AddStoppedTimer(window, "User");
        user.Action.Bind([&window](Timer&) {
            // The desktop's own dialogs from the second Get Data on.
            driver.emplace();
            driver->QueueDialogForTheUser();
            const WidgetGeometry button = GeometryOf(window.CalculateBtn());
            ClickInWindow(window, button.left + button.width / 2, button.top + button.height / 2);
            TypeInWindow(window, String(sample.path()));
            PressKeysInWindow(window, "Return");
        });
        Timer& check = AddStoppedTimer(window, "Check");
        check.SetPeriod(50);
        check.Action.Bind([](Timer& self) {
            if (ReportsShown() < 2 && driver->unanswered.empty())
                return;
            self.SetRunMode(0);
            Report("reports", std::to_string(ReportsShown()));
            Report("dialogs-left-to-the-user", std::to_string(driver->leftToTheUser.size()));
            Report("unanswered", std::to_string(driver->unanswered.size()));
            driver.reset();
            Quit(0);
        });
        user.SetRunMode(1);
        // The action's first yield lets the timer run: 50 ms have passed since the last.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        Click(window.CalculateBtn());
        Report("reports-after-the-read", std::to_string(ReportsShown()));
        check.SetRunMode(2);
    });
}

// Runs `then` from a timer of the window, with whether `condition` holds, once it holds or a
// generous deadline has passed.
void WhenItHolds(Window& window, const String& timerName, std::function<bool()> condition,
                 std::function<void(bool)> then) {
    Timer& timer = AddStoppedTimer(window, timerName);
    timer.SetPeriod(50);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    timer.Action.Bind(
        [condition = std::move(condition), then = std::move(then), deadline](Timer& self) {
            const bool holds = condition();
            if (!holds && std::chrono::steady_clock::now() < deadline)
                return;
            self.SetRunMode(0);
            then(holds);
        });
    timer.SetRunMode(2);
}

// The dialogs that the scenario below opens from the main window, by its argument: "message"
// (Get Data with no counts), "open-cancelled" and "open-chosen" (Get Data), "print-cancelled".
// Returns once the dialog has been answered.
void OpenTheDialog(class ControlWnd& window, const std::string& dialog) {
    if (dialog.starts_with("open")) {
        window.ObserversFld().SetText("6");
        window.CasesFld().SetText("30");
        window.CatsFld().SetText("5");
    }
    if (dialog == "print-cancelled") {
        window.ResultsFld().SetText("kappa\r");
        Click(window.PrintBtn());
    } else
        Click(window.CalculateBtn());
}

// The user's answer from the keyboard: the path of the file to open and Return, or else Return
// to a message and Escape to the others.
void AnswerTheDialog(Window& window, const std::string& dialog, const std::string& path) {
    if (dialog == "open-chosen") {
        TypeInWindow(window, String(path));
        PressKeysInWindow(window, "Return");
    } else
        PressKeysInWindow(window, dialog == "message" ? "Return" : "Escape");
}

// Once the main window is active, the user opens one of the desktop's own dialogs from it and,
// once the dialog has the focus, answers it. The scenario reports whether each window became
// active in its turn, the main window again after the dialog, and quits.
void AnswerADialogOfTheMainWindow(const std::string& dialog) {
    static const TemporaryFile sample(calculator::testing::SampleText("\r"));
    static std::optional<DesktopDialogDriver> driver;
    WhenEventLoopRuns([dialog] {
        // The About window's timer, which runs on after the click, would show the main window
        // again and so activate it.
        AboutWnd().Timer1().SetRunMode(0);
        ClickInWindow(AboutWnd(), 5, 5);
        class ControlWnd& window = ControlWnd();
        driver.emplace();
        driver->QueueDialogForTheUser();
        const auto mainIsActive = [&window] { return IsActive(window); };
        WhenItHolds(window, "MainActive", mainIsActive, [&window, dialog, mainIsActive](bool was) {
            Report("main-active-before", was ? "yes" : "no");
            WhenItHolds(window, "User", ADesktopDialogIsActive, [&window, dialog](bool is) {
                Report("dialog-active", is ? "yes" : "no");
                AnswerTheDialog(window, dialog, sample.path());
            });
            OpenTheDialog(window, dialog);
            Report("reports", std::to_string(ReportsShown()));
            Report("unanswered", std::to_string(driver->unanswered.size()));
            WhenItHolds(window, "MainActiveAgain", mainIsActive, [](bool again) {
                Report("main-active-after", again ? "yes" : "no");
                driver.reset();
                Quit(0);
            });
        });
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
                 ReadEndlesslyAndAsk(dialogs, [] { CloseWindow(ControlWnd()); });
             }},
            {"quit-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndAsk(dialogs, [] { Quit(0); });
             }},
            {"quit-item-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndAsk(dialogs,
                                     [] { ChooseDrawnItem(ControlWnd(), "File", "Quit"); });
             }},
            {"quit-shortcut-during-read",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 ReadEndlesslyAndAsk(dialogs, [] { PressKeysInWindow(ControlWnd(), "Ctrl+Q"); });
             }},
            {"quit-during-print",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PrintReportAtLengthAndAsk(dialogs, [] { Quit(0); });
             }},
            {"close-main-during-print",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PrintReportAtLengthAndAsk(dialogs, [] { CloseWindow(ControlWnd()); });
             }},
            {"quit-shortcut-during-description-print",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PrintHelpAtLengthAndAsk(dialogs,
                                         [] { PressKeysInWindow(DescriptionWnd(), "Ctrl+Q"); });
             }},
            {"close-main-during-description-print",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PrintHelpAtLengthAndAsk(dialogs, [] { CloseWindow(ControlWnd()); });
             }},
            {"quit-during-print-through-the-real-dialog",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 PrintAtLengthAndAsk(
                     [](class ControlWnd& window) {
                         PrintThroughTheRealDialog(window, LongText());
                     },
                     [] { Quit(0); });
             }},
            {"print-through-the-real-dialog",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     ClickInWindow(AboutWnd(), 5, 5);
                     PrintThroughTheRealDialog(ControlWnd(), "kappa\r");
                     Quit(0);
                 });
             }},
            {"print-over-an-earlier-file",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PrintOverAnEarlierFile(ThroughTheScriptedDialog(dialogs), kShortReport);
             }},
            {"print-through-the-real-dialog-over-an-earlier-file",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 PrintOverAnEarlierFile(PrintThroughTheRealDialog, kShortReport);
             }},
            // Room for the first pages of the long text: a page's write fails.
            {"print-over-an-earlier-file-on-a-small-disk",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 OnASmallDisk(64 << 10);
                 PrintOverAnEarlierFile(ThroughTheScriptedDialog(dialogs), LongText());
             }},
            {"print-through-the-real-dialog-over-an-earlier-file-on-a-small-disk",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 OnASmallDisk(64 << 10);
                 PrintOverAnEarlierFile(PrintThroughTheRealDialog, LongText());
             }},
            // Room for less than the one page of the report: a write fails as the job completes.
            {"print-a-page-over-an-earlier-file-on-a-small-disk",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 OnASmallDisk(1 << 10);
                 PrintOverAnEarlierFile(ThroughTheScriptedDialog(dialogs), kShortReport);
             }},
            {"quit-during-print-over-an-earlier-file",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 PutAnEarlierFile();
                 PrintReportAtLengthAndAsk(dialogs, [] { Quit(0); });
             }},
            {"type-ahead-into-the-open-dialog",
             [](MenuOperationProbe&, ScriptedDialogs& dialogs) {
                 TypeAheadIntoTheOpenDialog(dialogs);
             }},
            {"answer-a-dialog-of-the-main-window",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 AnswerADialogOfTheMainWindow(ScenarioArgument());
             }},
            {"close-about-first",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] { CloseWindow(AboutWnd()); });
             }},
            {"get-data-and-print-through-the-real-dialogs",
             [](MenuOperationProbe&, ScriptedDialogs&) {
                 WhenEventLoopRuns([] {
                     const std::string folder = ScenarioArgument();
                     DesktopDialogDriver driver;
                     ClickInWindow(AboutWnd(), 5, 5);
                     TypeKey(ControlWnd().ObserversFld(), "6");
                     TypeKey(ControlWnd().CasesFld(), "2");
                     TypeKey(ControlWnd().CatsFld(), "2");
                     driver.QueueFileDialog(folder, "ratings");
                     Click(ControlWnd().CalculateBtn());
                     Report("report",
                            ControlWnd().ResultsFld().Text().empty() ? "none" : "appended");
                     driver.QueuePrintDialog({.browse = true});
                     driver.QueueFileDialog(folder, std::nullopt);
                     Click(ControlWnd().PrintBtn());
                     Report("dialogs", std::to_string(driver.fileDialogs.size()) + " file, " +
                                           std::to_string(driver.printDialogHomes.size()) +
                                           " print, " + std::to_string(driver.unanswered.size()) +
                                           " unanswered");
                     Quit(0);
                 });
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
    if (!printedFile.empty()) {
        Report("printed-file", PrintedFileLeft());
        Report("beside-printed-file", BesidePrintedFile());
    }
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
    // The value the scenario reported under that name; empty when it reported none.
    std::string check(const std::string& name) const {
        const auto found = checks.find(name);
        return found == checks.end() ? "" : found->second;
    }
};

// Changes to a child's environment: a variable set to a value, or removed without one.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// How a child process ended and what it wrote.
struct Ended {
    bool exited = false; // by itself, not by a signal
    int status = -1;
    std::string out, err;
};

// A child runs on the desktop platform of the X server, not on the offscreen one.
EnvironmentChanges OnTheServer(const PrivateXServer& server) {
    return {{"QT_QPA_PLATFORM", "xcb"},
            {"DISPLAY", server.display()},
            {"WAYLAND_DISPLAY", std::nullopt}};
}

// This process's environment with the changes made.
std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        if (std::none_of(changes.begin(), changes.end(),
                         [&name](const auto& change) { return change.first == name; }))
            environment.push_back(entry);
    }
    for (const auto& [name, value] : changes)
        if (value)
            environment.push_back(name + "=" + *value);
    return environment;
}

// Reads both streams to their ends, whichever the child writes first.
void ReadToEnd(int outStream, int errStream, Ended& ended) {
    pollfd streams[] = {{outStream, POLLIN, 0}, {errStream, POLLIN, 0}};
    std::string* texts[] = {&ended.out, &ended.err};
    for (int open = 2; open > 0 && ::poll(streams, 2, -1) > 0;)
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(streams[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            ::close(streams[i].fd);
            streams[i].fd = -1;
            --open;
        }
}

Ended RunToEnd(std::vector<std::string> arguments, const EnvironmentChanges& changes = {}) {
    std::vector<std::string> environment = ChangedEnvironment(changes);
    std::vector<char*> argv, envp;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    Ended ended;
    ReadToEnd(out[0], err[0], ended);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid)
        return ended;
    ended.exited = WIFEXITED(status);
    ended.status = ended.exited ? WEXITSTATUS(status) : -1;
    return ended;
}

// The failures that the desktop's own report wrote to the standard error, where the desktop's
// dialogs stood in for the scripted ones.
std::vector<std::string> ReportedOnTheDesktop(const std::string& err) {
    static const std::string kPrefix = "Unhandled failure: ";
    std::vector<std::string> failures;
    std::size_t start = 0;
    for (std::size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1)
        if (err.compare(start, kPrefix.size(), kPrefix) == 0)
            failures.push_back(err.substr(start + kPrefix.size(), end - start - kPrefix.size()));
    return failures;
}

Outcome RunInChild(const char* scenario, const std::string& argument = {},
                   const EnvironmentChanges& changes = {}) {
    const Ended ended = RunToEnd({"/proc/self/exe", "--scenario", scenario, argument}, changes);
    std::fputs(ended.err.c_str(), stderr);
    const std::string& text = ended.out;
    Outcome outcome;
    if (!ended.exited)
        return outcome;
    outcome.status = ended.status;
    outcome.failures = ReportedOnTheDesktop(ended.err);
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
TEST(Startup, QuitAndCloseDuringALongActionEndTheRunAtOnce) {
    for (const char* scenario : {"close-main-during-read", "quit-during-read",
                                 "quit-item-during-read", "quit-shortcut-during-read"}) {
        SCOPED_TRACE(scenario);
        const Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.check("setup"), "");
        EXPECT_EQ(run.check("report"), "empty");
        EXPECT_EQ(run.check("yields-after-request"), "0");
        EXPECT_TRUE(run.failures.empty());
    }
}

// Quitting or closing the main window while the report or the help text prints ends the run at
// that very yield, with status 0, and cancels the job: the file it was writing is gone. The job
// is printed through the scripted dialog to a PDF writer, and through the desktop's own print
// dialog to a printer that prints to a file; the same print through the real dialog, left to
// end, leaves its file.
TEST(Startup, QuitAndCloseDuringAPrintCancelTheJob) {
    for (const char* scenario :
         {"quit-during-print", "close-main-during-print", "quit-shortcut-during-description-print",
          "close-main-during-description-print", "quit-during-print-through-the-real-dialog"}) {
        SCOPED_TRACE(scenario);
        const Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.check("yields-after-request"), "0");
        EXPECT_EQ(run.check("printed-file"), "none");
        EXPECT_EQ(run.check("beside-printed-file"), "nothing");
        EXPECT_TRUE(run.failures.empty());
    }
    const Outcome printed = RunInChild("print-through-the-real-dialog");
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.check("printed-file"), "left");
    EXPECT_TRUE(printed.failures.empty());
}

// A print to a file replaces an earlier file of that name only once it is complete, through the
// scripted dialog to a PDF writer and through the desktop's own print dialog to a printer that
// prints to a file. On a disk with too little room for it a write fails, be it one of a page or
// one as the job completes: the earlier file stays as it was, nothing is left beside it, and the
// failed write is reported once. Quit during the print leaves the earlier file as well; a print
// that fits replaces it with a PDF of the report.
TEST(Startup, APrintReachesItsFileOnlyWhole) {
    for (const char* scenario :
         {"print-over-an-earlier-file-on-a-small-disk",
          "print-through-the-real-dialog-over-an-earlier-file-on-a-small-disk",
          "print-a-page-over-an-earlier-file-on-a-small-disk"}) {
        SCOPED_TRACE(scenario);
        const Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.check("setup"), "");
        EXPECT_EQ(run.check("printed-file"), "earlier");
        EXPECT_EQ(run.check("beside-printed-file"), "nothing");
        EXPECT_EQ(run.failures.size(), 1u);
        if (run.failures.empty())
            continue;
        const std::string& failure = run.failures[0];
        EXPECT_TRUE(failure.starts_with("IOException: The print to /")) << failure;
        EXPECT_TRUE(failure.ends_with("/printed.pdf could not be written: File too large."))
            << failure;
    }
    const Outcome quit = RunInChild("quit-during-print-over-an-earlier-file");
    EXPECT_EQ(quit.status, 0);
    EXPECT_EQ(quit.check("yields-after-request"), "0");
    EXPECT_EQ(quit.check("printed-file"), "earlier");
    EXPECT_EQ(quit.check("beside-printed-file"), "nothing");
    EXPECT_TRUE(quit.failures.empty());
    for (const char* scenario :
         {"print-over-an-earlier-file", "print-through-the-real-dialog-over-an-earlier-file"}) {
        SCOPED_TRACE(scenario);
        const Outcome run = RunInChild(scenario);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.check("printed-file"), "left");
        EXPECT_EQ(run.check("beside-printed-file"), "nothing");
        if (HasPdfToText()) {
            EXPECT_EQ(run.check("printed-text"), "kappa|0.430");
        }
        EXPECT_TRUE(run.failures.empty());
    }
}

// The user clicks Get Data during a long read, types a path and presses Return: once the read
// has ended, the open-file dialog that the click opens takes the path and its Return opens
// the file, so a second report follows the first, and no dialog is left open or opened again.
// On an X server of the test's own: there, as on the user's desktop, the list of names that pops
// up under the dialog's field leaves the focus in the field.
TEST(Startup, APathTypedAheadDuringAReadGoesIntoTheDialogTheHeldClickOpens) {
    const PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const Outcome run = RunInChild("type-ahead-into-the-open-dialog", {}, OnTheServer(server));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.check("reports-after-the-read"), "1");
    EXPECT_EQ(run.check("reports"), "2");
    EXPECT_EQ(run.check("dialogs-left-to-the-user"), "1");
    EXPECT_EQ(run.check("unanswered"), "0");
    EXPECT_TRUE(run.failures.empty());
}

// Once a dialog of the desktop's own closes, the window that was active before it is active
// again, so that its keys and shortcuts work with no click: also on an X server with no window
// manager, such as the test's own, where the server gives the focus to no window of the
// program's when a dialog goes. Each dialog is answered from the keyboard once it has the focus.
TEST(Startup, TheWindowActiveBeforeADialogIsActiveAgainOnceItCloses) {
    const PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const std::pair<const char*, const char*> cases[] = {
        {"message", "0"},
        {"open-cancelled", "0"},
        {"open-chosen", "1"},
        {"print-cancelled", "0"},
    };
    for (const auto& [dialog, reports] : cases) {
        SCOPED_TRACE(dialog);
        const Outcome run =
            RunInChild("answer-a-dialog-of-the-main-window", dialog, OnTheServer(server));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.check("main-active-before"), "yes");
        EXPECT_EQ(run.check("dialog-active"), "yes");
        EXPECT_EQ(run.check("reports"), reports);
        EXPECT_EQ(run.check("unanswered"), "0");
        EXPECT_EQ(run.check("main-active-after"), "yes");
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

// Every entry under the folder, however deep, for the message of a failure.
std::string EntriesUnder(const std::string& folder) {
    std::string entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        entries += entry.path().string() + "\n";
    return entries;
}

// Get Data and Print through the desktop's real dialogs, the Browse of the print dialog
// included, leave nothing behind in the home and configuration folders: no settings, history
// or state. The cache folder is the font library's own and stays aside.
TEST(Startup, TheRealDialogsKeepNothingBetweenRuns) {
    TemporaryFolder home, cache, ratings;
    std::ofstream(ratings.path() + "/ratings") << "3\t3\n6\t0\n";
    const Outcome run = RunInChild("get-data-and-print-through-the-real-dialogs", ratings.path(),
                                   {{"HOME", home.path()},
                                    {"XDG_CONFIG_HOME", home.path()},
                                    {"XDG_CACHE_HOME", cache.path()},
                                    {"XDG_DATA_HOME", std::nullopt},
                                    {"XDG_STATE_HOME", std::nullopt}});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.check("report"), "appended");
    EXPECT_EQ(run.check("dialogs"), "2 file, 1 print, 0 unanswered");
    EXPECT_TRUE(run.failures.empty());
    EXPECT_TRUE(home.empty()) << EntriesUnder(home.path());
}

// Runs the real program on the desktop platform that the environment names (the desktop's own
// when none is named, not the tests' offscreen one) and at the display named, if any, with the
// toolkit's logging as it comes by default; `more` changes the environment further.
Ended RunTheProgramOn(const std::optional<std::string>& platformName,
                      const std::optional<std::string>& display,
                      const EnvironmentChanges& more = {}) {
    EnvironmentChanges changes{{"DISPLAY", display},
                               {"WAYLAND_DISPLAY", std::nullopt},
                               {"QT_QPA_PLATFORM", platformName},
                               {"QT_LOGGING_RULES", std::nullopt},
                               {"QT_MESSAGE_PATTERN", std::nullopt}};
    changes.insert(changes.end(), more.begin(), more.end());
    return RunToEnd({QUORVANE_BINARY}, changes);
}

// Without a display (none named, or one that cannot be reached) the program ends as a failed
// start does: status 1 and one line that says why, not the toolkit's abort with its core dump.
TEST(Startup, WithoutADisplayTheProgramEndsWithOneLineAndStatusOne) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "Quorvane: no display could be opened (DISPLAY is not set).\n"},
        {":47123", "Quorvane: no display could be opened at :47123.\n"},
    };
    for (const auto& [display, line] : cases) {
        SCOPED_TRACE(display.value_or("no DISPLAY"));
        const Ended ended = RunTheProgramOn(std::nullopt, display);
        EXPECT_TRUE(ended.exited) << "ended by a signal";
        EXPECT_EQ(ended.status, 1);
        EXPECT_EQ(ended.err, line);
    }
}

// When the toolkit cannot start for a reason other than the display, such as a desktop platform
// that does not exist, its own lines name the cause and reach the user; the program says nothing
// of a display and still ends with status 1 rather than the toolkit's abort.
TEST(Startup, AnotherFailureToStartPassesTheToolkitsOwnLines) {
    for (const std::optional<std::string>& display :
         {std::optional<std::string>(":47123"), std::optional<std::string>()}) {
        SCOPED_TRACE(display.value_or("no DISPLAY"));
        const Ended ended = RunTheProgramOn("nosuchplatform", display);
        EXPECT_TRUE(ended.exited) << "ended by a signal";
        EXPECT_EQ(ended.status, 1);
        EXPECT_NE(ended.err.find("\"nosuchplatform\""), std::string::npos) << ended.err;
        EXPECT_EQ(ended.err.find("no display"), std::string::npos) << ended.err;
    }
}

// Started with another release of Qt than it was built with, as after an upgrade of Qt without a
// rebuild, the program ends as a failed start does, with status 1 and one line that names both
// releases, before it has read anything of Qt's private classes; before it looks for a display,
// too, so that a run that would not stop without the check fails here on the missing display.
TEST(Startup, WithAnotherReleaseOfQtTheProgramEndsWithOneLineAndStatusOne) {
    const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
    const Ended ended =
        RunTheProgramOn("xcb", std::nullopt,
                        {{"LD_PRELOAD", QT_RELEASE_STAND_IN},
                         {"QUORVANE_TEST_QT_RELEASE", "6.99.1"},
                         {"ASAN_OPTIONS", std::string(sanitizerOptions ? sanitizerOptions : "") +
                                              ":verify_asan_link_order=0"}});
    EXPECT_TRUE(ended.exited) << "ended by a signal";
    EXPECT_EQ(ended.status, 1);
    const std::string started = " but started with Qt 6.99.1; it must be rebuilt for the Qt it "
                                "runs with.\n";
    EXPECT_EQ(ended.err.rfind("Quorvane: built with Qt 6.", 0), 0u) << ended.err;
    EXPECT_TRUE(ended.err.ends_with(started)) << ended.err;
    EXPECT_EQ(std::count(ended.err.begin(), ended.err.end(), '\n'), 1) << ended.err;
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
    if (argc >= 3 && std::string(argv[1]) == "--scenario") {
        ScenarioArgument() = argc > 3 ? argv[3] : "";
        return RunScenario(argv[2], argv[0]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
