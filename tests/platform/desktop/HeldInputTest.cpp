#include "WidgetTestSupport.h"
#include "platform/core/Yield.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/TextField.h"
#include "platform/desktop/Timer.h"
#include "platform/testing/DesktopDialogDriver.h"
#include "platform/testing/DesktopInput.h"
#include "platform/testing/ManualClock.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace platform::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The middle of a control, in its window's content area.
Point MiddleOf(RectControl& control) {
    const WidgetGeometry at = GeometryOf(control);
    return {at.left + at.width / 2, at.top + at.height / 2};
}

const char* NameOf(Tapper tapper) {
    switch (tapper) {
    case Tapper::Finger:
        return "finger";
    case Tapper::Pen:
        return "pen";
    case Tapper::Mouse:
        return "mouse";
    }
    return "";
}

// A window with a button that counts its presses, a button that asks something in a message
// box, neither of which takes the focus, and a text field that counts the keys typed into it.
struct CountingWnd {
    explicit CountingWnd(const std::string& name) {
        window = &OpenTestWindow("HeldInputTest." + name, [this](TestWnd& w) {
            counter = &AddControl<PushButton>(
                w, "Count",
                {{"Left", 10}, {"Top", 10}, {"Width", 80}, {"Height", 24}, {"TabStop", 0}});
            asker = &AddControl<PushButton>(
                w, "Ask",
                {{"Left", 100}, {"Top", 10}, {"Width", 80}, {"Height", 24}, {"TabStop", 0}});
            field = &AddControl<TextField>(
                w, "Field", {{"Left", 10}, {"Top", 50}, {"Width", 120}, {"Height", 22}});
        });
        counter->Action.Bind([this](PushButton&) { ++presses; });
        field->KeyDown.Bind([this](TextField&, const String&) {
            ++keys;
            return false;
        });
        asker->Action.Bind([](PushButton&) { MsgBox("Asked"); });
    }
    TestWnd* window = nullptr;
    PushButton* counter = nullptr;
    PushButton* asker = nullptr;
    TextField* field = nullptr;
    int presses = 0;
    int keys = 0;
};

class HeldInputTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const char* name : {"HeldInputTest.A", "HeldInputTest.B"})
            CloseIfOpen(name);
    }

    // Runs a long action in window `a`; `user` runs from a timer inside one of its yields, as
    // what the user does meanwhile. Returns when the action has ended, before anything held
    // has been handed back.
    void WhileAnActionRuns(CountingWnd& a, const std::function<void()>& user) {
        Timer& meanwhile = AddStoppedTimer(*a.window, "Meanwhile");
        PushButton& work = AddControl<PushButton>(*a.window, "Work", {{"Left", 200}, {"Top", 10}});
        bool acted = false;
        meanwhile.Action.Bind([&](Timer&) {
            user();
            acted = true;
        });
        work.Action.Bind([&](PushButton&) {
            meanwhile.SetRunMode(1);
            const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
            while (!acted && Clock::now() < deadline)
                YieldToPlatform();
            // A few more passes, so that what the user did has surely been seen.
            for (const Clock::time_point end = Clock::now() + std::chrono::milliseconds(120);
                 Clock::now() < end;)
                YieldToPlatform();
        });
        Click(work);
        ASSERT_TRUE(acted) << "the user's input came during the action";
    }

    const DesktopTimers realTimers;
    ScriptedDialogs dialogs;
};

// A tap of a finger or a pen on a button presses it as it does at other times, once the
// action has ended.
TEST_F(HeldInputTest, TapsPressAButtonOnceTheActionEnds) {
    for (const Tapper tapper : {Tapper::Finger, Tapper::Pen}) {
        SCOPED_TRACE(NameOf(tapper));
        CountingWnd a("A");
        const Point button = MiddleOf(*a.counter);
        TapInWindow(*a.window, button.x, button.y, tapper);
        ASSERT_EQ(a.presses, 1) << "a tap outside an action";

        WhileAnActionRuns(a, [&] { TapInWindow(*a.window, button.x, button.y, tapper); });
        EXPECT_EQ(a.presses, 1) << "nothing happens during the action";
        ProcessEvents();
        EXPECT_EQ(a.presses, 2);
        TearDown();
    }
}

// A tap whose device is unplugged before the action ends, which deletes the toolkit's object for
// it, presses the button once the action has ended, with the desktop's own device of that kind.
TEST_F(HeldInputTest, InputWhoseDeviceIsUnpluggedMeanwhileComesFromOneThatIsThere) {
    for (const Tapper tapper : {Tapper::Mouse, Tapper::Finger, Tapper::Pen}) {
        SCOPED_TRACE(NameOf(tapper));
        CountingWnd a("A");
        const Point button = MiddleOf(*a.counter);
        TapInWindow(*a.window, button.x, button.y, tapper);
        ASSERT_EQ(a.presses, 1) << "the desktop's own device of the kind is there";

        PluggedDevice device(tapper);
        WhileAnActionRuns(a, [&] {
            TapInWindow(*a.window, button.x, button.y, device);
            device.Unplug();
        });
        EXPECT_EQ(a.presses, 1) << "nothing happens during the action";
        ProcessEvents();
        EXPECT_EQ(a.presses, 2);
        TearDown();
    }
}

// A click on a window that is closed, or hidden, before the action ends reaches nothing: the
// closed window's handlers never run.
TEST_F(HeldInputTest, AWindowGoneBeforeTheActionEndsGetsNoneOfItsInput) {
    for (const bool close : {true, false}) {
        SCOPED_TRACE(close ? "closed" : "hidden");
        CountingWnd a("A");
        CountingWnd b("B");
        const Point button = MiddleOf(*b.counter);
        WhileAnActionRuns(a, [&] {
            ClickInWindow(*b.window, button.x, button.y);
            TypeInWindow(*b.window, "7");
            if (close)
                CloseFromTheDesktop(*b.window);
            else
                b.window->Hide();
        });
        EXPECT_EQ(b.window->IsOpen(), !close) << "the close request came through at once";
        ProcessEvents();
        EXPECT_EQ(b.presses, 0);
        EXPECT_EQ(b.keys, 0);
        TearDown();
    }
}

// Held input goes on inside a modal dialog that a held click opens: a click on a window that
// the dialog blocks is dropped, and keys go to the dialog, then, once it has closed, to the
// window with the focus, which the click on it gave it.
TEST_F(HeldInputTest, HeldInputGoesOnInsideTheDialogThatAHeldClickOpens) {
    DesktopDialogDriver driver;
    driver.QueueDialogForTheUser();
    CountingWnd a("A");
    CountingWnd b("B");
    a.field->SetFocus();
    b.field->SetFocus();
    const Point ask = MiddleOf(*a.asker);
    const Point count = MiddleOf(*b.counter);
    WhileAnActionRuns(a, [&] {
        ClickInWindow(*a.window, ask.x, ask.y);
        ClickInWindow(*b.window, count.x, count.y);
        PressKeysInWindow(*a.window, "Return");
        TypeInWindow(*a.window, "5");
    });
    ProcessEvents();
    EXPECT_EQ(driver.leftToTheUser.size(), 1u);
    EXPECT_TRUE(driver.unanswered.empty()) << "Return closed the message box";
    EXPECT_EQ(b.presses, 0) << "the box blocked the other window";
    EXPECT_EQ(a.field->Text(), String(""));
    EXPECT_EQ(b.field->Text(), String("5"));
}

// A key's release whose press the toolkit never saw, such as that of the key that started the
// program, reaches no window; one whose press it saw reaches the window with the focus.
TEST_F(HeldInputTest, AKeyReleaseWithoutItsPressGoesNowhere) {
    CountingWnd a("A");
    a.field->SetFocus();
    KeyDeliveries keys;
    KeyUpInWindow(*a.window, "Space");
    EXPECT_EQ(keys.seen, std::vector<std::string>{});
    KeyDownInWindow(*a.window, "Space");
    KeyUpInWindow(*a.window, "Space");
    EXPECT_EQ(keys.seen, (std::vector<std::string>{"press Space", "release Space"}));
}

} // namespace
} // namespace platform::testing
