#pragma once

#include "platform/LayoutData.h"
#include "platform/Testing.h"
#include "platform/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::testing {

// A window built from a few lines of layout data; `build` makes its controls.
class TestWnd : public Window {
  public:
    explicit TestWnd(std::string className, std::function<void(TestWnd&)> build = {})
        : m_className(std::move(className)), m_build(std::move(build)) {}
    std::string FullClassName() const override { return m_className; }

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

// Makes, constructs, registers and lays out one control, as a window's control creation does.
template <class C>
C& AddControl(Window& window, const char* name, std::vector<LayoutEntry> entries) {
    auto control = std::make_unique<C>();
    control->Constructor();
    window._AddControl(name, std::move(control));
    C& added = window._ControlByNameAs<C>(name);
    entries.insert(entries.begin(), LayoutEntry("Name", name));
    _SetProperties(added, EncodeLayoutData(entries));
    return added;
}

inline TestWnd& OpenTestWindow(std::string className, std::function<void(TestWnd&)> build = {}) {
    auto* window = new TestWnd(std::move(className), std::move(build));
    window->Constructor();
    return *window;
}

} // namespace platform::testing
