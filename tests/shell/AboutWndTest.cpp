#include "shell/AboutWnd.h"

#include "Authorship.h"
#include "ShellTestEnvironment.h"
#include "WidgetTestSupport.h"
#include "platform/testing/Probes.h"
#include "shell/ControlWnd.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace platform;
using namespace platform::testing;

namespace {

// Each test starts without an About or a main window, as the program does.
class AboutWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"AboutWnd.AboutWnd", "ControlWnd.ControlWnd"})
            if (Window* open = _GetImplicitWindow(name))
                CloseWindow(*open);
        ProcessEvents();
        ResetRequestedExitCode();
    }
    void TearDown() override { ResetRequestedExitCode(); }

    static bool MainWindowShows() {
        Window* main = _GetImplicitWindow("ControlWnd.ControlWnd");
        return main && main->IsVisible();
    }
    static int Shown(const PlatformTrace& trace, const std::string& window) {
        return static_cast<int>(
            std::count(trace.Events().begin(), trace.Events().end(), "window shown: " + window));
    }
    ScriptedDialogs dialogs;
};

TEST_F(AboutWndTest, AnUntitledWhiteDialogWithTheLogoThePictureAndTheNotice) {
    class AboutWnd& about = AboutWnd();
    EXPECT_TRUE(about.IsVisible());
    EXPECT_EQ(about.Width(), 415);
    EXPECT_EQ(about.Height(), 280);
    EXPECT_EQ(about.Title(), String(""));
    EXPECT_TRUE(IsDialogWindow(about));
    EXPECT_EQ(BackgroundColour(about), 0xFFFFFFu);
    EXPECT_EQ(ControlNames(about),
              (std::vector<String>{"Canvas1", "StaticText5", "Timer1", "Canvas2"}));

    struct Place {
        RectControl& control;
        std::int64_t left, top, width, height;
    } places[] = {{about.Canvas1(), 20, 33, 378, 71},
                  {about.StaticText5(), 0, 240, 415, 20},
                  {about.Canvas2(), 174, 124, 66, 66}};
    for (const Place& p : places) {
        SCOPED_TRACE(p.control.Name().str());
        const WidgetGeometry at = GeometryOf(p.control);
        EXPECT_EQ(at.left, p.left);
        EXPECT_EQ(at.top, p.top);
        EXPECT_EQ(at.width, p.width);
        EXPECT_EQ(at.height, p.height);
        EXPECT_TRUE(at.shown);
    }
    // The logo is 381 x 75 and the kappa 64 x 64, the sizes of their files.
    struct Backdrop {
        Canvas& canvas;
        std::int64_t width, height;
    } backdrops[] = {{about.Canvas1(), 381, 75}, {about.Canvas2(), 64, 64}};
    for (const Backdrop& b : backdrops) {
        SCOPED_TRACE(b.canvas.Name().str());
        EXPECT_EQ(b.canvas.Backdrop().Width(), b.width);
        EXPECT_EQ(b.canvas.Backdrop().Height(), b.height);
    }
    Label& notice = about.StaticText5();
    ExpectNoticeOfAuthorship(notice.Text());
    EXPECT_EQ(notice.TextColor(), 0x00FB0106u);
    EXPECT_EQ(notice.TextAlignment(), 2);
    EXPECT_EQ(RequestedFont(notice).pixelSize, 11);
    EXPECT_EQ(about.Timer1().Period(), 4000);
    EXPECT_EQ(about.Timer1().RunMode(), 1);
    auto& timer = static_cast<AboutWnd::_wrapper_Timer1&>(about.Timer1());
    EXPECT_EQ(timer.Window(), &about);
}

// The timer, any key and a press anywhere in the window, the pictures and the notice
// included, each hide the About window and show the main window, built the first time.
TEST_F(AboutWndTest, TimerKeyOrClickDismissesIt) {
    struct Way {
        const char* name;
        std::function<void(class AboutWnd&)> dismiss;
    };
    const Way ways[] = {
        {"timer", [](class AboutWnd&) { Clock().Advance(4000); }},
        {"key X", [](class AboutWnd& w) { PressKeysInWindow(w, "X"); }},
        {"key Escape", [](class AboutWnd& w) { PressKeysInWindow(w, "Esc"); }},
        {"click on the logo", [](class AboutWnd& w) { ClickInWindow(w, 200, 60); }},
        {"click on the kappa", [](class AboutWnd& w) { ClickInWindow(w, 200, 150); }},
        {"click on the notice", [](class AboutWnd& w) { ClickInWindow(w, 200, 248); }},
        {"click on the ground", [](class AboutWnd& w) { ClickInWindow(w, 5, 5); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        SetUp();
        class AboutWnd& about = AboutWnd();
        Clock().Advance(1000);
        ASSERT_TRUE(about.IsVisible());
        ASSERT_FALSE(MainWindowShows());
        way.dismiss(about);
        EXPECT_FALSE(about.IsVisible());
        EXPECT_TRUE(about.IsOpen());
        EXPECT_TRUE(MainWindowShows());
        EXPECT_EQ(FrontmostWindow(), &ControlWnd());
    }
    EXPECT_TRUE(dialogs.failures.empty());
}

// The timer fires once, 4000 ms after the window was built, whatever happened meanwhile.
TEST_F(AboutWndTest, TheTimerFiresOnceWhateverCameBefore) {
    PlatformTrace trace;
    class AboutWnd& about = AboutWnd();
    Clock().Advance(1000);
    PressKeysInWindow(about, "X"); // dismissed early
    class ControlWnd& main = ControlWnd();
    const int shownBefore = Shown(trace, "ControlWnd.ControlWnd");
    Clock().Advance(3000); // the firing shows the main window again, builds no second one
    EXPECT_FALSE(about.IsVisible());
    EXPECT_EQ(&ControlWnd(), &main);
    EXPECT_EQ(Shown(trace, "ControlWnd.ControlWnd"), shownBefore + 1);

    ClickInWindow(main, 200, 20); // the logo: shown again after the firing, it stays
    ProcessEvents();
    EXPECT_TRUE(about.IsVisible());
    Clock().Advance(60000);
    EXPECT_TRUE(about.IsVisible());
    EXPECT_EQ(&AboutWnd(), &about);
    main.Show(); // until the main window's activation
    ProcessEvents();
    EXPECT_FALSE(about.IsVisible());
}

TEST_F(AboutWndTest, ShownAgainBeforeTheTimerFiresTheFiringHidesIt) {
    class AboutWnd& about = AboutWnd();
    Clock().Advance(1000);
    ClickInWindow(about, 5, 5);
    class ControlWnd& main = ControlWnd();
    Clock().Advance(1000);
    EXPECT_TRUE(ChooseDrawnItem(main, "Window", "About Quorvane"));
    EXPECT_TRUE(about.IsVisible());
    Clock().Advance(2000);
    EXPECT_FALSE(about.IsVisible());
    EXPECT_EQ(FrontmostWindow(), &main);
}

// An About window that the user closed is built anew, with a new timer; the main window's
// activation builds one and hides it at once.
TEST_F(AboutWndTest, ARebuiltWindowHasANewTimer) {
    class AboutWnd& first = AboutWnd();
    Clock().Advance(4000);
    class ControlWnd& main = ControlWnd();
    first.Show();
    ProcessEvents();
    CloseWindow(first);
    EXPECT_EQ(_GetImplicitWindow("AboutWnd.AboutWnd"), nullptr);
    main.Show();
    ProcessEvents();
    // The main window's activation built a new one and hid it at once.
    Window* rebuilt = _GetImplicitWindow("AboutWnd.AboutWnd");
    ASSERT_NE(rebuilt, nullptr);
    class AboutWnd& second = AboutWnd();
    EXPECT_EQ(&second, rebuilt);
    EXPECT_FALSE(second.IsVisible());
    second.Show();
    Clock().Advance(3999);
    EXPECT_TRUE(second.IsVisible());
    Clock().Advance(1);
    EXPECT_FALSE(second.IsVisible());
    EXPECT_EQ(RequestedExitCode(), std::nullopt);
}

} // namespace
