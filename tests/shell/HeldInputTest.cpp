// What the user does while Get Data reads a long file waits until the action has ended, and then
// takes effect as it would have had it come only then.

#include "CalculatorTestSupport.h"
#include "TemporaryFiles.h"
#include "platform/desktop/Timer.h"
#include "platform/testing/DesktopInput.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace platform::testing;
using platform::String;

Point MiddleOf(platform::RectControl& control) {
    const WidgetGeometry at = GeometryOf(control);
    return {at.left + at.width / 2, at.top + at.height / 2};
}

class HeldInput : public ::testing::Test {
  protected:
    void SetUp() override {
        window().ClearBtn_Action(window().ClearBtn());
        window().ObserversFld().SetText("6");
        window().CasesFld().SetText("30");
        window().CatsFld().SetText("5");
        // The window has been on the screen a while when the user moves the pointer over it.
        ProcessEvents();
    }
    void TearDown() override { ProcessEvents(); }
    class ControlWnd& window() {
        return ControlWnd();
    }
    std::string report() { return window().ResultsFld().Text().str(); }

    // Starts Get Data on a file that takes a while to read; `user` runs from a timer inside one
    // of the action's yields, as what the user does meanwhile. Returns when the action has
    // ended, before what was held has been handed back.
    void GetDataWhile(const std::function<void()>& user) {
        static int timers = 0;
        platform::Timer& meanwhile =
            AddStoppedTimer(window(), String("Meanwhile" + std::to_string(++timers)));
        bool acted = false;
        meanwhile.Action.Bind([&](platform::Timer&) {
            user();
            acted = true;
        });
        const TemporaryFile slow(calculator::testing::PaddedSample(1024));
        dialogs.QueueOpenFile(slow.path());
        meanwhile.SetRunMode(1);
        // The action's first yield lets the timer run: 50 ms have passed since the last.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        Click(window().CalculateBtn());
        ASSERT_TRUE(acted) << "the user's input came during the read";
        ASSERT_EQ(calculator::testing::ReportsIn(report()), 1u);
    }

    const DesktopTimers realTimers;
    ScriptedDialogs dialogs;
};

// The pointer rests on the logo when the read starts and moves during it. The logo hears of it
// only once the read has ended, and then knows where the pointer is.
TEST_F(HeldInput, ThePointerThatLeavesTheLogoDuringTheReadLeavesItAfterwards) {
    struct Case {
        const char* name;
        std::function<void(class ControlWnd&, Point logo)> move;
        bool onLogoAfterwards;
    } cases[] = {
        {"moves off the logo",
         [](class ControlWnd& w, Point logo) { MoveInWindow(w, logo.x, logo.y + 100); }, false},
        {"leaves the window and comes back onto the logo",
         [](class ControlWnd& w, Point logo) {
             PointerLeavesWindow(w);
             PointerEntersWindow(w, logo.x, logo.y);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const Point logo = MiddleOf(window().Canvas1());
        MoveInWindow(window(), logo.x, logo.y);
        ASSERT_TRUE(IsUnderPointer(window().Canvas1()));
        window().CasesFld().SetFocus();
        GetDataWhile([&] { c.move(window(), logo); });
        // Leaving the logo puts the focus in the raters field.
        EXPECT_EQ(FocusedControlName(window()), String("CasesFld")) << "nothing ran meanwhile";
        ProcessEvents();
        EXPECT_EQ(FocusedControlName(window()), String("ObserversFld"));
        EXPECT_EQ(IsUnderPointer(window().Canvas1()), c.onLogoAfterwards);
    }
}

// A press on Clear during the read, dragged onto the menu bar and released there, stays with
// its release: afterwards the button is not left down, and, released away from it, clears
// nothing.
TEST_F(HeldInput, APressHeldWithItsReleaseOnTheMenuBarLeavesNoButtonDown) {
    const Point clear = MiddleOf(window().ClearBtn());
    const Point bar = MenuBarMiddle(window());
    GetDataWhile([&] {
        PressInWindow(window(), clear.x, clear.y);
        MoveInWindow(window(), bar.x, bar.y);
        ReleaseInWindow(window(), bar.x, bar.y);
        EXPECT_FALSE(AMenuIsOpen());
    });
    ProcessEvents();
    EXPECT_FALSE(IsDown(window().ClearBtn()));
    EXPECT_FALSE(AMenuIsOpen());
    EXPECT_EQ(calculator::testing::ReportsIn(report()), 1u);
}

// A press on the menu bar during the read opens its menu at once, from which Quit could be
// chosen; Escape closes it again.
TEST_F(HeldInput, APressOnTheMenuBarOpensItsMenuDuringTheRead) {
    // File is the bar's first menu.
    const Point file = {20, MenuBarMiddle(window()).y};
    bool openedAtOnce = false;
    GetDataWhile([&] {
        PressInWindow(window(), file.x, file.y);
        ReleaseInWindow(window(), file.x, file.y);
        openedAtOnce = AMenuIsOpen();
        PressKeysInWindow(window(), "Escape");
    });
    EXPECT_TRUE(openedAtOnce);
    EXPECT_FALSE(AMenuIsOpen());
}

// A key pressed in a menu during the read goes to the menu at once, and so does its release,
// though the menu has closed by then: afterwards no control gets a release without its press.
TEST_F(HeldInput, AKeyPressedInAMenuDuringTheReadIsReleasedAtOnce) {
    const Point file = {20, MenuBarMiddle(window()).y};
    KeyDeliveries keys;
    GetDataWhile([&] {
        PressInWindow(window(), file.x, file.y);
        ReleaseInWindow(window(), file.x, file.y);
        KeyDownInWindow(window(), "Escape");
        EXPECT_FALSE(AMenuIsOpen());
        KeyUpInWindow(window(), "Escape");
    });
    EXPECT_EQ(keys.seen, (std::vector<std::string>{"press Esc", "release Esc"}));
    keys.seen.clear();
    ProcessEvents();
    EXPECT_EQ(keys.seen, std::vector<std::string>{});
}

// A key that goes down during the read, before a menu opens, comes up with it: both wait, and
// afterwards the button with the focus is pressed and let go, not left drawn down.
TEST_F(HeldInput, AKeyDownWhenAMenuOpensDuringTheReadWaitsWithItsRelease) {
    const Point file = {20, MenuBarMiddle(window()).y};
    const Point away = MiddleOf(window().observerstext());
    // Off the logo, whose exit would move the focus.
    MoveInWindow(window(), away.x, away.y);
    ProcessEvents();
    window().ClearBtn().SetFocus();
    KeyDeliveries keys;
    GetDataWhile([&] {
        KeyDownInWindow(window(), "Space");
        PressInWindow(window(), file.x, file.y);
        ReleaseInWindow(window(), file.x, file.y);
        EXPECT_TRUE(AMenuIsOpen());
        KeyUpInWindow(window(), "Space");
        // A click away from the menu closes it.
        ClickInWindow(window(), away.x, away.y);
        EXPECT_FALSE(AMenuIsOpen());
    });
    EXPECT_EQ(keys.seen, std::vector<std::string>{});
    ProcessEvents();
    EXPECT_EQ(keys.seen, (std::vector<std::string>{"press Space", "release Space"}));
    EXPECT_FALSE(IsDown(window().ClearBtn()));
    EXPECT_EQ(calculator::testing::ReportsIn(report()), 0u) << "Clear was pressed";
}

} // namespace
