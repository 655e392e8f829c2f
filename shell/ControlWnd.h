#pragma once

#include "platform/core/String.h"
#include "platform/desktop/Canvas.h"
#include "platform/desktop/Label.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/TextArea.h"
#include "platform/desktop/TextField.h"
#include "platform/desktop/Window.h"

#include <cstdint>
#include <string_view>

// The main window: three count fields, Get Data, Clear and Print, the report area, the logo
// with its credit line and the question mark that opens the help.
class ControlWnd : public platform::Window {
  public:
    static constexpr std::string_view kFullClassName = "ControlWnd.ControlWnd";
    std::string_view FullClassName() const override { return kFullClassName; }

    platform::TextField& ObserversFld();
    platform::TextField& CasesFld();
    platform::TextField& CatsFld();
    platform::PushButton& ClearBtn();
    platform::PushButton& CalculateBtn();
    platform::TextArea& ResultsFld();
    platform::Canvas& Canvas1();
    platform::Label& Label1();
    platform::PushButton& PrintBtn();
    platform::Label& observerstext();
    platform::Label& casetext();
    platform::Label& categorytext();
    platform::Canvas& CanvasQ();

    bool ObserversFld_KeyDown(platform::TextField& sender, const platform::String& key);
    bool CasesFld_KeyDown(platform::TextField& sender, const platform::String& key);
    bool CatsFld_KeyDown(platform::TextField& sender, const platform::String& key);
    void ClearBtn_Action(platform::PushButton& sender);
    void CalculateBtn_Action(platform::PushButton& sender);
    void Canvas1_MouseExit(platform::Canvas& sender);
    bool Canvas1_MouseDown(platform::Canvas& sender, std::int64_t x, std::int64_t y);
    void PrintBtn_Action(platform::PushButton& sender);
    bool CanvasQ_MouseDown(platform::Canvas& sender, std::int64_t x, std::int64_t y);

    bool _DescriptionMenuItem_Action();
    bool _AboutMenuItem_Action();

    // Turns Z into its two-sided normal probability P.
    void ZtoProb();

    double Z = 0;
    double P = 0;

  protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers(platform::Window& window) override;
    void Event_Close() override;
    void Event_Activate() override;
    void Event_EnableMenuItems() override;

  private:
    void _CreateControls0();
    template <class C>
    C& createControl(const char* name, platform::Picture (*backdrop)() = nullptr);
};

// The one main window, built on first use; an open or hidden one is returned unchanged. Like
// every implicit-instance accessor it bears its class's name, and so hides the class's
// constructor: elsewhere the class is named `class ControlWnd`.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
class ControlWnd& ControlWnd();
#pragma GCC diagnostic pop
