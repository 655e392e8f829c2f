#pragma once

#include "platform/desktop/Label.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"

#include <string_view>

// The help window: the help text in a scrolling fixed-pitch area that the user may edit, with a
// line of authorship under it. While it is in front, the Window menu's Control and About items
// and the File menu's Print act through it.
class DescriptionWnd : public platform::Window {
  public:
    static constexpr std::string_view kFullClassName = "DescriptionWnd.DescriptionWnd";
    std::string_view FullClassName() const override { return kFullClassName; }

    platform::TextArea& DescribeFld();
    platform::TextArea& DescribeFld2();
    platform::Label& c2002();
    platform::PushButton& PrintBtn();

    void PrintBtn_Action(platform::PushButton& sender);

    bool _ControlMenuItem_Action();
    bool _AboutMenuItem_Action();
    bool _Print_Action();

  protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers(platform::Window& window) override;
    void Event_Open() override;
    void Event_EnableMenuItems() override;

  private:
    void _CreateControls0();
    // Prints the help text as the area holds it now, edits included; no test for an empty
    // text, and a cancelled print dialog says nothing.
    void PrintHelpText();
};

// The one Description window, built (and so shown) when none is open; an open one is returned
// as the user left it. Like every implicit-instance accessor it bears its class's name.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
class DescriptionWnd& DescriptionWnd();
#pragma GCC diagnostic pop
