#include "WidgetTestSupport.h"
#include "platform/desktop/Canvas.h"
#include "platform/testing/Drivers.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace platform::testing {
namespace {

// A window that writes down, with its name, each Activate, each press, on its ground or on its
// picture area, and its Close.
class RecordingWnd : public TestWnd {
  public:
    RecordingWnd(std::string name, std::vector<std::string>& events)
        : TestWnd("WindowEventsTest." + name,
                  [this](TestWnd& w) {
                      AddControl<Canvas>(
                          w, "Logo", {{"Left", 10}, {"Top", 10}, {"Width", 100}, {"Height", 50}})
                          .MouseDown.Bind([this](Canvas&, std::int64_t, std::int64_t) {
                              record("logo pressed");
                              return false;
                          });
                  }),
          m_name(std::move(name)), m_events(events) {}

  protected:
    void Event_Activate() override { record("Activate"); }
    void Event_Close() override { record("Close"); }
    bool Event_MouseDown(std::int64_t, std::int64_t) override {
        record("pressed");
        return false;
    }

  private:
    void record(const std::string& what) { m_events.push_back(m_name + " " + what); }
    std::string m_name;
    std::vector<std::string>& m_events;
};

class WindowEventsTest : public ::testing::Test {
  protected:
    RecordingWnd& Open(const std::string& name) {
        auto* window = new RecordingWnd(name, events);
        window->Constructor();
        opened.push_back(window);
        return *window;
    }
    void TearDown() override {
        for (Window* window : opened)
            if (window->IsOpen())
                CloseWindow(*window);
        ProcessEvents();
    }
    std::vector<std::string> events;
    std::vector<Window*> opened;
    ScriptedDialogs dialogs;
};

// A press on a window that is not the active one activates it before the press reaches any
// handler, the window's own or a control's; the desktop's word of the same activation, which
// comes later, does not tell the window again. Once another window has been activated, ours
// or another program's, the next press activates the first one again.
TEST_F(WindowEventsTest, APressOnAnInactiveWindowActivatesItFirstAndOnce) {
    struct Place {
        const char* name;
        std::int64_t x, y;
        const char* handler;
    };
    const Place places[] = {{"the ground", 200, 150, "A pressed"},
                            {"the picture area", 50, 30, "A logo pressed"}};
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        RecordingWnd& a = Open("A");
        RecordingWnd& b = Open("B");
        ProcessEvents();
        ASSERT_TRUE(IsActive(b));
        events.clear();

        ClickInWindow(a, place.x, place.y);
        EXPECT_EQ(events, (std::vector<std::string>{"A Activate", place.handler}));
        ClickInWindow(a, place.x, place.y); // before the desktop has answered the first
        ProcessEvents();
        EXPECT_TRUE(IsActive(a));
        EXPECT_EQ(FrontmostWindow(), &a);
        ClickInWindow(a, place.x, place.y);
        EXPECT_EQ(events, (std::vector<std::string>{"A Activate", place.handler, place.handler,
                                                    place.handler}));

        events.clear();
        b.Show();
        ProcessEvents();
        ClickInWindow(a, place.x, place.y);
        ProcessEvents();
        EXPECT_EQ(events, (std::vector<std::string>{"B Activate", "A Activate", place.handler}));

        events.clear();
        OtherProgramWindow other;
        other.Activate();
        ProcessEvents();
        ASSERT_FALSE(IsActive(a));
        ClickInWindow(a, place.x, place.y);
        ProcessEvents();
        EXPECT_EQ(events, (std::vector<std::string>{"A Activate", place.handler}));
        TearDown();
        opened.clear();
    }
    EXPECT_TRUE(dialogs.failures.empty());
}

// When another program destroys a window's native window, the window closes as its close
// button closes it: Close runs once, the window is no longer open, and the others stay.
TEST_F(WindowEventsTest, AWindowDestroyedFromOutsideClosesOnce) {
    RecordingWnd& a = Open("A");
    RecordingWnd& b = Open("B");
    ProcessEvents();
    events.clear();
    DestroyWindowFromOutside(a);
    DestroyWindowFromOutside(a); // the desktop may tell it twice; it closes once
    ProcessEvents();
    opened = {&b};
    EXPECT_EQ(std::count(events.begin(), events.end(), "A Close"), 1);
    EXPECT_EQ(_GetImplicitWindow("WindowEventsTest.A"), nullptr);
    EXPECT_TRUE(b.IsOpen());
    EXPECT_TRUE(b.IsVisible());
    EXPECT_EQ(std::count(events.begin(), events.end(), "B Close"), 0);
}

} // namespace
} // namespace platform::testing
