#pragma once

#include "platform/desktop/LayoutData.h"
#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace platform::testing {

// A window built from a few lines of layout data; `build` makes its controls.
class TestWnd : public Window {
  public:
    explicit TestWnd(std::string className, std::function<void(TestWnd&)> build = {})
        : m_className(std::move(className)), m_build(std::move(build)) {}
    std::string_view FullClassName() const override { return m_className; }

    int closes = 0;
    int keyDowns = 0;
    std::vector<LayoutEntry> layout{
        {"Width", 300}, {"Height", 200}, {"Title", "Test"}, {"Resizeable", 0}, {"Visible", 1}};

  protected:
    void Layout() override { _SetProperties(*this, EncodeLayoutData(layout)); }
    void CreateControls() override {
        if (m_build)
            m_build(*this);
    }
    void Event_Close() override { ++closes; }

  private:
    std::string m_className;
    std::function<void(TestWnd&)> m_build;
};

// Makes one control from a few entries of layout data, as a window's control creation does.
template <class C>
C& AddControl(Window& window, const char* name, std::vector<LayoutEntry> entries) {
    entries.insert(entries.begin(), LayoutEntry("Name", name));
    return window.CreateControl<C>(name, EncodeLayoutData(entries));
}

// Closes the open window of that class, if one is open, and lets its closing finish: a test
// that needs the window absent says so, and one that opened it leaves the next test without it.
inline void CloseIfOpen(std::string_view fullClassName) {
    if (Window* open = _GetImplicitWindow(fullClassName))
        CloseWindow(*open);
    ProcessEvents();
}

inline TestWnd& OpenTestWindow(std::string className, std::function<void(TestWnd&)> build = {}) {
    auto* window = new TestWnd(std::move(className), std::move(build));
    window->Constructor();
    return *window;
}

// A control that tells when its window deletes it.
class Sentinel : public Control {
  public:
    explicit Sentinel(bool& deleted) : m_deleted(deleted) { m_deleted = false; }
    ~Sentinel() override { m_deleted = true; }
    const char* ClassName() const override { return "Sentinel"; }

  private:
    bool& m_deleted;
};

// An area laid out with HideSelection shows its selection only while it holds the focus: a
// selection made with the focus is drawn, and is no longer drawn, though kept, once the focus
// went to `elsewhere`. The area must hold at least four characters.
inline void ExpectSelectionOnlyWithTheFocus(TextArea& area, RectControl& elsewhere) {
    area.SetFocus();
    area.SetSelStart(0);
    area.SetSelLength(4);
    ProcessEvents();
    EXPECT_TRUE(DrawsSelection(area)) << "with the focus";
    elsewhere.SetFocus();
    ProcessEvents();
    EXPECT_FALSE(DrawsSelection(area)) << "with the focus elsewhere";
    EXPECT_EQ(area.SelLength(), 4);
}

// A window holding one text area in Courier 10, the report's font, closed after each test.
class TextAreaWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &OpenTestWindow("TextAreaWindowTest.Wnd", [this](TestWnd& w) {
            area = &AddControl<TextArea>(w, "Area",
                                         {{"Left", 10},
                                          {"Top", 10},
                                          {"Width", 280},
                                          {"Height", 180},
                                          {"FontName", "Courier"},
                                          {"FontSize", 10.0}});
        });
    }
    void TearDown() override {
        CloseWindow(*window);
        ProcessEvents();
    }
    TestWnd* window = nullptr;
    TextArea* area = nullptr;
};

} // namespace platform::testing
