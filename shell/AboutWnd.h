#pragma once

#include "platform/core/String.h"
#include "platform/desktop/Canvas.h"
#include "platform/desktop/Label.h"
#include "platform/desktop/PaneChild.h"
#include "platform/desktop/Timer.h"
#include "platform/desktop/WeakRef.h"
#include "platform/desktop/Window.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The About window, which is also the first window at start: the logo, the kappa picture and
// a red line of authorship on white, without a title. It gives way to the main window when its
// one-shot timer fires, on any key and on a mouse press anywhere in it.
class AboutWnd : public platform::Window {
  public:
    static constexpr std::string_view kFullClassName = "AboutWnd.AboutWnd";
    std::string_view FullClassName() const override { return kFullClassName; }

    // The timer as a member of its window: it knows the window by a weak reference, so it
    // never keeps the window alive, and carries the index the platform gives it.
    class _wrapper_Timer1 : public platform::Timer, public platform::_PaneChild {
      public:
        void _SetWindow(platform::Window& window) override;
        platform::Window* Window() override;
        std::int64_t _Index() override;
        void _SetIndex(std::int64_t index) override;
        void Constructor() {}

        std::int64_t Index = 0;

      private:
        std::optional<platform::WeakRef> ownerWindow;
    };

    platform::Canvas& Canvas1();
    platform::Label& StaticText5();
    platform::Timer& Timer1();
    platform::Canvas& Canvas2();

    void Timer1_Action(platform::Timer& timer);

  protected:
    void Layout() override;
    void CreateControls() override;
    // Both dismiss the window, whatever the key or the point, and return false.
    bool Event_KeyDown(const platform::String& key) override;
    bool Event_MouseDown(std::int64_t x, std::int64_t y) override;

  private:
    void _CreateControls0();
    // Hides this window and shows the main window, building it the first time.
    void DismissAbout();
};

// The one About window, built (and so shown) when none is open; an open or hidden one is
// returned unchanged. Like every implicit-instance accessor it bears its class's name.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
class AboutWnd& AboutWnd();
#pragma GCC diagnostic pop
