#include "shell/DescriptionWnd.h"

#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWndLayout.h"
#include "shell/PrintTextArea.h"

using namespace platform;

void DescriptionWnd::Layout() {
    _SetProperties(*this, shell::DescriptionWndWindowLayout());
}

void DescriptionWnd::CreateControls() {
    _CreateControls0();
}

void DescriptionWnd::_CreateControls0() {
    CreateControl<TextArea>("DescribeFld", shell::DescriptionWndDescribeFldLayout());
    CreateControl<TextArea>("DescribeFld2", shell::DescriptionWndDescribeFld2Layout());
    CreateControl<Label>("c2002", shell::DescriptionWndc2002Layout());
    CreateControl<PushButton>("PrintBtn", shell::DescriptionWndPrintBtnLayout());
    PrintBtn().Action.Bind(*this, &DescriptionWnd::PrintBtn_Action);
}

void DescriptionWnd::AddMenuHandlers(Window&) {
    _AddMenuHandler("ControlMenuItem", [this] { return _ControlMenuItem_Action(); });
    _AddMenuHandler("AboutMenuItem", [this] { return _AboutMenuItem_Action(); });
    _AddMenuHandler("Print", [this] { return _Print_Action(); });
}

// The Print button is never seen: the help text is printed from the File menu.
void DescriptionWnd::Event_Open() {
    PrintBtn().SetVisible(false);
    c2002().SetVisible(true);
}

void DescriptionWnd::Event_EnableMenuItems() {}

bool DescriptionWnd::_ControlMenuItem_Action() {
    ::ControlWnd().Show();
    return false;
}

bool DescriptionWnd::_AboutMenuItem_Action() {
    ::AboutWnd().Show();
    return false;
}

bool DescriptionWnd::_Print_Action() {
    PrintHelpText();
    return false;
}

void DescriptionWnd::PrintBtn_Action(PushButton&) {
    PrintHelpText();
}

void DescriptionWnd::PrintHelpText() {
    PrintTextArea(DescribeFld2());
}

TextArea& DescriptionWnd::DescribeFld() {
    return _ControlByNameAs<TextArea>("DescribeFld");
}
TextArea& DescriptionWnd::DescribeFld2() {
    return _ControlByNameAs<TextArea>("DescribeFld2");
}
Label& DescriptionWnd::c2002() {
    return _ControlByNameAs<Label>("c2002");
}
PushButton& DescriptionWnd::PrintBtn() {
    return _ControlByNameAs<PushButton>("PrintBtn");
}

class DescriptionWnd& DescriptionWnd() {
    return ImplicitInstance<class DescriptionWnd>();
}
