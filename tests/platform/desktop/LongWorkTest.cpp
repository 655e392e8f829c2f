#include "platform/testing/LongWork.h"

#include "MemoryLines.h"
#include "WidgetTestSupport.h"
#include "platform/core/LineSplitter.h"
#include "platform/core/Yield.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/Timer.h"
#include "platform/testing/ManualClock.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace platform::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Yields, as a long loop does, until `done` holds or a generous deadline has passed; true when
// `done` came to hold.
bool YieldUntil(const std::function<bool()>& done) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        YieldToPlatform();
    }
    return true;
}

void YieldFor(std::chrono::milliseconds time) {
    const Clock::time_point end = Clock::now() + time;
    YieldUntil([end] { return Clock::now() >= end; });
}

// Records whether the busy cursor showed while a message was up.
class CursorRecordingDialogs : public ScriptedDialogs {
  public:
    void ShowMessage(const String& message) override {
        busyDuringMessage = BusyCursorShows();
        ScriptedDialogs::ShowMessage(message);
    }
    void ReportUnhandledFailure(const String& text) override {
        busyDuringFailure = BusyCursorShows();
        ScriptedDialogs::ReportUnhandledFailure(text);
    }
    bool busyDuringMessage = true;
    bool busyDuringFailure = true;
};

class LongWorkTest : public ::testing::Test {
  protected:
    void TearDown() override {
        while (Window* open = _GetImplicitWindow("LongWorkTest.A"))
            CloseWindow(*open);
        ProcessEvents();
    }
    CursorRecordingDialogs dialogs;
};

// A read that takes long makes few yields, one per chunk: 100 chunks of one long line, from a
// source as slow as a network disk, still let the window repaint several times.
TEST_F(LongWorkTest, WindowRepaintsWhileOneLongLineIsRead) {
    TestWnd& window = OpenTestWindow("LongWorkTest.A");
    ProcessEvents();
    const std::string line(100 * 1024, 'x');
    LineSplitter splitter(
        [source = MemorySource(line)](char* into, std::size_t size) mutable {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            return source(into, size);
        },
        {1024, 2048});
    RepaintRecorder repaints(window);
    repaints.Start();
    EXPECT_EQ(splitter.NextLine(), line.substr(0, 2048));
    EXPECT_GE(repaints.Repaints(), 2);
}

// The busy cursor shows once a handler has been at work for a moment, is put away while the
// user is asked something or told of a failure, and goes when the handler returns.
TEST_F(LongWorkTest, BusyCursorShowsWhileAHandlerWorks) {
    bool busyAtStart = true;
    bool busyLater = false;
    bool busyAfterMessage = true;
    bool busyAgain = false;
    PushButton* button = nullptr;
    OpenTestWindow("LongWorkTest.A", [&](TestWnd& w) {
        button = &AddControl<PushButton>(w, "Work", {{"Width", 60}, {"Height", 22}});
    });
    button->Action.Bind([&](PushButton&) {
        busyAtStart = BusyCursorShows();
        busyLater = YieldUntil(&BusyCursorShows);
        MsgBox("asked in the middle");
        busyAfterMessage = BusyCursorShows();
        busyAgain = YieldUntil(&BusyCursorShows);
    });
    Click(*button);
    EXPECT_FALSE(busyAtStart);
    EXPECT_TRUE(busyLater);
    EXPECT_FALSE(dialogs.busyDuringMessage);
    EXPECT_FALSE(busyAfterMessage);
    EXPECT_TRUE(busyAgain);
    EXPECT_FALSE(BusyCursorShows());

    button->Action.Bind([&](PushButton&) {
        busyLater = YieldUntil(&BusyCursorShows);
        throw std::runtime_error("failed after a while");
    });
    Click(*button);
    EXPECT_TRUE(busyLater);
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_FALSE(dialogs.busyDuringFailure);
    EXPECT_FALSE(BusyCursorShows());
}

// A window closed by a timer while its own handler runs, two yields deep, is deleted only
// after the outermost handler has returned; every handler finishes on the live window.
TEST_F(LongWorkTest, WindowClosedInNestedHandlersLivesUntilTheOutermostReturns) {
    bool deleted = false;
    PushButton* button = nullptr;
    Timer* outer = nullptr;
    Timer* inner = nullptr;
    TestWnd& window = OpenTestWindow("LongWorkTest.A", [&](TestWnd& w) {
        button = &AddControl<PushButton>(w, "Work", {{"Width", 60}, {"Height", 22}});
        w._AddControl("Sentinel", std::make_unique<platform::testing::Sentinel>(deleted));
        outer = &platform::testing::AddStoppedTimer(w, "Outer");
        inner = &platform::testing::AddStoppedTimer(w, "Inner");
    });
    bool innerFired = false;
    bool aliveAfterInner = false;
    bool outerDone = false;
    bool aliveAfterOuter = false;
    inner->Action.Bind([&](Timer&) {
        innerFired = true;
        window.Close();
    });
    outer->Action.Bind([&](Timer&) {
        inner->SetRunMode(1);
        YieldUntil([&] { return innerFired; });
        YieldFor(std::chrono::milliseconds(120));
        aliveAfterInner = !deleted && !window.IsOpen() && window.Title() == String("Test");
        outerDone = true;
    });
    button->Action.Bind([&](PushButton&) {
        outer->SetRunMode(1);
        YieldUntil([&] { return outerDone; });
        YieldFor(std::chrono::milliseconds(120));
        aliveAfterOuter = !deleted && window.Title() == String("Test");
    });
    Click(*button);
    EXPECT_TRUE(innerFired);
    EXPECT_TRUE(aliveAfterInner);
    EXPECT_TRUE(aliveAfterOuter);
    EXPECT_FALSE(deleted);
    ProcessEvents();
    EXPECT_TRUE(deleted);
}

} // namespace
} // namespace platform::testing
