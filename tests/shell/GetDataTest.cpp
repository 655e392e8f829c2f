#include "CalculatorTestSupport.h"
#include "TemporaryFiles.h"
#include "WidgetTestSupport.h"
#include "platform/core/Text.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Timer.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

using platform::String;
using platform::testing::ScriptedDialogs;
using platform::testing::TemporaryFifo;
using platform::testing::TemporaryFile;

namespace {

// Ends the test program when a step does not end in time: a hung action would otherwise hold
// the whole run for ever.
class Watchdog {
  public:
    Watchdog(std::string step, std::chrono::seconds limit)
        : m_thread([this, step = std::move(step), limit] {
              std::unique_lock lock(m_mutex);
              if (!m_ended.wait_for(lock, limit, [this] { return m_done; })) {
                  std::fprintf(stderr, "%s did not end within %lld s\n", step.c_str(),
                               static_cast<long long>(limit.count()));
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_ended.notify_one();
        m_thread.join();
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_thread;
};

std::vector<std::string> SplitAtCarriageReturns(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the report's last line ends in a carriage return";
    return lines;
}

class GetData : public ::testing::Test {
  protected:
    void SetUp() override {
        window().ClearBtn_Action(window().ClearBtn());
        dialogs.beeps = 0;
    }
    class ControlWnd& window() {
        return ControlWnd();
    }
    void setCounts(const char* raters, const char* cases, const char* categories) {
        window().ObserversFld().SetText(raters);
        window().CasesFld().SetText(cases);
        window().CatsFld().SetText(categories);
    }
    void getData(const std::optional<std::string>& path) {
        dialogs.QueueOpenFile(path);
        platform::testing::Click(window().CalculateBtn());
    }
    std::string report() { return report(window()); }
    static std::string report(class ControlWnd& w) { return w.ResultsFld().Text().str(); }

    ScriptedDialogs dialogs;
};

TEST_F(GetData, SampleGivesTheReportWhateverTheLineEnds) {
    for (const char* lineEnd : {"\r", "\n", "\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(lineEnd)));
        SetUp();
        TemporaryFile file(calculator::testing::SampleText(lineEnd));
        setCounts("6", "30", "5");
        getData(file.path());

        const std::vector<std::string> lines = SplitAtCarriageReturns(report());
        ASSERT_EQ(lines.size(), 31u);
        EXPECT_EQ(lines[0].find("  "), lines[0].rfind("  ")) << "one double blank in the date line";
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
                  calculator::testing::SampleReportLines3To31());
        EXPECT_TRUE(window().ResultsFld().IsEnabled());
        EXPECT_TRUE(dialogs.messages.empty());
        // Z and P are left with the last category's values, not the overall row's.
        EXPECT_EQ(platform::Format(window().Z, "+##.00"), String("+4.44"));
        EXPECT_LT(window().P, 1e-4);
    }
}

TEST_F(GetData, SecondPressAppendsASecondReport) {
    TemporaryFile file(calculator::testing::SampleText("\r"));
    setCounts("6", "30", "5");
    getData(file.path());
    const std::string first = report();
    getData(file.path());
    const std::string both = report();
    ASSERT_EQ(both.size(), 2 * first.size());
    const auto afterDate = [](const std::string& text) { return text.substr(text.find('\r')); };
    EXPECT_EQ(afterDate(both.substr(first.size())), afterDate(first));
}

TEST_F(GetData, CountsOutOfRangeAreRefusedWithTheirMessageAndFocus) {
    struct Case {
        const char* raters;
        const char* cases;
        const char* categories;
        const char* message; // nullptr: the counts pass and the file dialog opens
        const char* focus;
    };
    const char* const all = "Specify number of raters, cases, and categories. Then click Get Data "
                            "button to load data file.";
    const char* const raters = "Number of raters must range from 2-99";
    const char* const cases = "Number of cases must range from 2-999";
    const char* const categories = "Number of categories must range from 2-25";
    // Counts above 99 raters or 999 cases do not fit in their fields.
    const Case table[] = {
        {"", "", "", all, "ObserversFld"},        {"0", "0", "5", raters, "ObserversFld"},
        {"1", "30", "5", raters, "ObserversFld"}, {"5", "", "", cases, "CasesFld"},
        {"6", "1", "5", cases, "CasesFld"},       {"6", "30", "1", categories, "CatsFld"},
        {"6", "30", "26", categories, "CatsFld"}, {"2", "2", "2", nullptr, nullptr},
        {"99", "999", "25", nullptr, nullptr},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(std::string(c.raters) + "/" + c.cases + "/" + c.categories);
        dialogs.messages.clear();
        setCounts(c.raters, c.cases, c.categories);
        dialogs.openFileTypeNames.clear();
        getData(std::nullopt); // a dialog, if one opens, is cancelled
        if (c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0], String(c.message));
            EXPECT_EQ(platform::testing::FocusedControlName(window()), String(c.focus));
            EXPECT_TRUE(dialogs.openFileTypeNames.empty());
        } else {
            EXPECT_TRUE(dialogs.messages.empty());
            ASSERT_EQ(dialogs.openFileTypeNames.size(), 1u);
            EXPECT_EQ(dialogs.openFileTypeNames[0], String("text"));
        }
        EXPECT_EQ(report(), "");
        EXPECT_FALSE(window().ResultsFld().IsEnabled());
    }
}

// The sample with a sixth category that nobody chose, through the window: the echo and the
// warning come as ever, the results block keeps every row of the sample byte for byte, and the
// empty category's row shows its whole standard error after one blank.
TEST_F(GetData, AnEmptyCategoryShowsEveryDigitOfItsStandardError) {
    using calculator::testing::SampleReportLines3To31;
    TemporaryFile file(calculator::testing::SampleText("\r", 1));
    setCounts("6", "30", "6");
    getData(file.path());
    const std::vector<std::string> lines = SplitAtCarriageReturns(report());
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[5], "   0   0   0   6   0   0");
    EXPECT_EQ(lines[16], "   0   0   0   0   6   0");
    EXPECT_EQ(lines[18], "****warning:Category #6 has no ratings");
    // The table from its head to the row of category 5, then the new row, then the foot.
    const auto& sample = SampleReportLines3To31();
    const std::vector<std::string> tableUpToCategory5(sample.begin() + 17, sample.begin() + 26);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 21, lines.begin() + 30), tableUpToCategory5);
    EXPECT_EQ(lines[30], calculator::testing::kEmptySixthCategoryRow);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 31, lines.end()),
              std::vector<std::string>(sample.begin() + 26, sample.end()));
}

// A pasted count with a fraction passes its range test and is truncated: 2.5 cases are 2.
TEST_F(GetData, FractionalCountPassesAndIsTruncated) {
    TemporaryFile file(calculator::testing::SampleText("\r"));
    setCounts("6", "2.5", "5");
    getData(file.path());
    const std::vector<std::string> lines = SplitAtCarriageReturns(report());
    // Two cases echoed; categories 1 and 3 have no ratings in them.
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[5], "   0   0   0   6   0");
    EXPECT_EQ(lines[6], "   0   3   0   0   3");
    EXPECT_EQ(lines[8], "****warning:Category #1 has no ratings");
    EXPECT_EQ(lines[10], "****warning:Category #3 has no ratings");
}

// Return in a count field presses Get Data, the window's default button.
TEST_F(GetData, ReturnAfterTypingTheCountsStartsGetData) {
    using namespace platform::testing;
    TemporaryFile file(calculator::testing::SampleText("\r"));
    for (const auto& [field, count] :
         {std::pair{&window().ObserversFld(), "6"}, std::pair{&window().CasesFld(), "30"},
          std::pair{&window().CatsFld(), "5"}}) {
        field->SetFocus();
        TypeKey(*field, count);
    }
    dialogs.QueueOpenFile(file.path());
    PressKey(window().CatsFld(), Key::Return);
    EXPECT_EQ(dialogs.openFileTypeNames.size(), 1u);
    EXPECT_EQ(SplitAtCarriageReturns(report()).size(), 31u);
    EXPECT_EQ(window().CatsFld().Text(), String("5"));
}

TEST_F(GetData, CancelledDialogAndUnopenableFileChangeNothing) {
    setCounts("6", "30", "5");
    window().Z = 1.5;
    for (const std::optional<std::string>& path :
         {std::optional<std::string>(), std::optional<std::string>("/nonexistent/ratings.txt"),
          std::optional<std::string>(std::filesystem::temp_directory_path().string())}) {
        getData(path);
        EXPECT_EQ(report(), "");
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(dialogs.failures.empty());
        EXPECT_EQ(window().Z, 1.5);
        EXPECT_EQ(window().CasesFld().Text(), String("30"));
    }
}

// A FIFO without a writer and a device that never ends count as files that cannot be opened:
// the action ends at once and silently, and the next Get Data works as ever.
TEST_F(GetData, FifoAndEndlessDeviceEndTheActionSilently) {
    const TemporaryFifo fifo;
    ASSERT_TRUE(fifo.made());
    const TemporaryFile sample(calculator::testing::SampleText("\r"));
    setCounts("6", "30", "5");
    for (const std::string& path : {fifo.path(), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        window().ResultsFld().SetText("");
        {
            const Watchdog watchdog("Get Data on " + path, std::chrono::seconds(20));
            getData(path);
        }
        EXPECT_EQ(report(), "");
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(dialogs.failures.empty());
        getData(sample.path());
        EXPECT_EQ(SplitAtCarriageReturns(report()).size(), 31u);
    }
}

// A timer closes the main window in the middle of Get Data. Closing it ends the run, so the
// action stops at that very yield with nothing appended, and is not reported as a failure; the
// window is deleted only after the action has returned.
TEST_F(GetData, ClosingTheMainWindowMidwayEndsTheActionAtThatYield) {
    const platform::testing::DesktopTimers realTimers;
    class ControlWnd& closing = window();
    bool deleted = false;
    closing._AddControl("Sentinel", std::make_unique<platform::testing::Sentinel>(deleted));
    platform::Timer& closer = platform::testing::AddStoppedTimer(closing, "Closer");
    std::int64_t yieldsAtClose = -1;
    closer.Action.Bind([&](platform::Timer&) {
        closing.Close();
        yieldsAtClose = platform::testing::YieldCount();
    });
    const TemporaryFile file(calculator::testing::PaddedSample(1024));
    setCounts("6", "30", "5");
    closer.SetRunMode(1);
    // The action's first yield then lets the timer run: 50 ms have passed since the last.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    getData(file.path());

    EXPECT_GE(yieldsAtClose, 0) << "the timer ran while reading";
    EXPECT_EQ(platform::testing::YieldCount(), yieldsAtClose) << "no yield after the close";
    EXPECT_EQ(platform::testing::RequestedExitCode(), std::optional<std::int64_t>(0));
    EXPECT_EQ(report(closing), "");
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_FALSE(closing.IsOpen());
    EXPECT_FALSE(deleted);
    platform::testing::ProcessEvents();
    EXPECT_TRUE(deleted);
    platform::testing::ResetRequestedExitCode();
}

// While Get Data reads, a click on Clear, a typed digit and a menu choice wait: the action
// appends its whole report undisturbed, and then they take effect in the order they came (the
// digit goes to the raters field, where Clear puts the focus).
TEST_F(GetData, InputDuringTheActionWaitsForItsEnd) {
    // The menu choice opens the Description window, so none may be open before it.
    platform::testing::CloseIfOpen("DescriptionWnd.DescriptionWnd");
    const platform::testing::DesktopTimers realTimers;
    // A name of its own on each run: the main window, and the timers added to it, may outlive
    // the test.
    static int runs = 0;
    platform::Timer& user =
        platform::testing::AddStoppedTimer(window(), String("User" + std::to_string(++runs)));
    bool acted = false;
    user.Action.Bind([&](platform::Timer&) {
        const platform::testing::WidgetGeometry clear =
            platform::testing::GeometryOf(window().ClearBtn());
        platform::testing::ClickInWindow(window(), clear.left + clear.width / 2,
                                         clear.top + clear.height / 2);
        platform::testing::PressKeysInWindow(window(), "7");
        platform::testing::ChooseDrawnItem(window(), "Window", "Description");
        acted = true;
    });
    const TemporaryFile file(calculator::testing::PaddedSample(1024));
    setCounts("6", "30", "5");
    user.SetRunMode(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    getData(file.path());

    ASSERT_TRUE(acted) << "the timer ran while reading";
    EXPECT_EQ(SplitAtCarriageReturns(report()).size(), 31u);
    EXPECT_EQ(window().ObserversFld().Text(), String("6"));
    EXPECT_EQ(platform::_GetImplicitWindow("DescriptionWnd.DescriptionWnd"), nullptr);
    platform::testing::ProcessEvents();
    EXPECT_EQ(report(), "") << "the click on Clear came after the action";
    EXPECT_EQ(window().ObserversFld().Text(), String("7"));
    platform::Window* description = platform::_GetImplicitWindow("DescriptionWnd.DescriptionWnd");
    ASSERT_NE(description, nullptr);
    platform::testing::CloseWindow(*description);
    platform::testing::ProcessEvents();
}

// A read failure after the file opened goes to the report of unhandled failures, and the
// report area stays as it was: nothing is appended before the whole file has been read.
TEST_F(GetData, ReadFailureAppendsNothing) {
    setCounts("6", "30", "5");
    getData("/proc/self/mem");
    EXPECT_EQ(report(), "");
    EXPECT_EQ(dialogs.failures.size(), 1u);
}

TEST_F(GetData, ShortFileEchoesEveryMissingCaseWithAWarning) {
    TemporaryFile file("1\t2\t0\r");
    setCounts("4", "3", "3");
    getData(file.path());
    const std::vector<std::string> lines = SplitAtCarriageReturns(report());
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[5], "   1   2   0 ***warning: 3 raters");
    EXPECT_EQ(lines[6], "   0   0   0 ***warning: 0 raters");
    EXPECT_EQ(lines[7], "   0   0   0 ***warning: 0 raters");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "****warning:Category #3 has no ratings");
}

} // namespace
