#include "shell/AboutWnd.h"

#include "shell/AboutWndLayout.h"
#include "shell/ControlWnd.h"
#include "shell/Pictures.h"

using namespace platform;

void AboutWnd::Layout() {
    _SetProperties(*this, shell::AboutWndWindowLayout());
}

void AboutWnd::CreateControls() {
    _CreateControls0();
}

void AboutWnd::_CreateControls0() {
    CreateControl<Canvas>("Canvas1", shell::AboutWndCanvas1Layout(), &Quor);
    CreateControl<Label>("StaticText5", shell::AboutWndStaticText5Layout());
    // Bound before control returns to the event loop, so the timer cannot fire unbound.
    CreateControl<_wrapper_Timer1>("Timer1", shell::AboutWndTimer1Layout())
        .Action.Bind(*this, &AboutWnd::Timer1_Action);
    CreateControl<Canvas>("Canvas2", shell::AboutWndCanvas2Layout(), &kappa64);
}

Canvas& AboutWnd::Canvas1() {
    return _ControlByNameAs<Canvas>("Canvas1");
}
Label& AboutWnd::StaticText5() {
    return _ControlByNameAs<Label>("StaticText5");
}
Timer& AboutWnd::Timer1() {
    return _ControlByNameAs<Timer>("Timer1");
}
Canvas& AboutWnd::Canvas2() {
    return _ControlByNameAs<Canvas>("Canvas2");
}

void AboutWnd::DismissAbout() {
    ::AboutWnd().Hide();
    ::ControlWnd().Show();
}

void AboutWnd::Timer1_Action(Timer&) {
    DismissAbout();
}

bool AboutWnd::Event_KeyDown(const String&) {
    DismissAbout();
    return false;
}

bool AboutWnd::Event_MouseDown(std::int64_t, std::int64_t) {
    DismissAbout();
    return false;
}

void AboutWnd::_wrapper_Timer1::_SetWindow(platform::Window& window) {
    ownerWindow.emplace(window);
}

platform::Window* AboutWnd::_wrapper_Timer1::Window() {
    return ownerWindow ? ownerWindow->Value() : nullptr;
}

std::int64_t AboutWnd::_wrapper_Timer1::_Index() {
    return Index;
}

void AboutWnd::_wrapper_Timer1::_SetIndex(std::int64_t index) {
    Index = index;
}

class AboutWnd& AboutWnd() {
    return ImplicitInstance<class AboutWnd>();
}
