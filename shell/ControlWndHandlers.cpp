#include "platform/core/Text.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Dialogs.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"
#include "shell/PrintTextArea.h"

using namespace platform;

namespace {

// Digits and control keys pass; anything else beeps and is dropped.
bool RefuseNonDigitKey(const String& key) {
    const std::int64_t c = Asc(key);
    if (!(key < String("0")) && !(key > String("9")))
        return false;
    if (c < 32)
        return false;
    if (c == 127)
        return false;
    Beep();
    return true;
}

} // namespace

bool ControlWnd::ObserversFld_KeyDown(TextField&, const String& key) {
    return RefuseNonDigitKey(key);
}

bool ControlWnd::CasesFld_KeyDown(TextField&, const String& key) {
    return RefuseNonDigitKey(key);
}

bool ControlWnd::CatsFld_KeyDown(TextField&, const String& key) {
    return RefuseNonDigitKey(key);
}

void ControlWnd::ClearBtn_Action(PushButton&) {
    ObserversFld().SetText("");
    CasesFld().SetText("");
    CatsFld().SetText("");
    ResultsFld().SetText("");
    ObserversFld().SetFocus();
    ResultsFld().SetEnabled(false);
}

void ControlWnd::Canvas1_MouseExit(Canvas&) {
    observerstext().SetVisible(true);
    ObserversFld().SetVisible(true);
    casetext().SetVisible(true);
    CasesFld().SetVisible(true);
    categorytext().SetVisible(true);
    CatsFld().SetVisible(true);
    ObserversFld().SetFocus();
}

void ControlWnd::PrintBtn_Action(PushButton&) {
    if (Len(ResultsFld().Text()) == 0) {
        Beep();
        MsgBox("Nothing to print. First, specify number of raters, cases, and categories. Then "
               "click the Get Data button to load data file. Finally, results can be printed.");
        return;
    }
    PrintTextArea(ResultsFld());
}

void ControlWnd::AddMenuHandlers(Window&) {
    _AddMenuHandler("DescriptionMenuItem", [this] { return _DescriptionMenuItem_Action(); });
    _AddMenuHandler("AboutMenuItem", [this] { return _AboutMenuItem_Action(); });
}

void ControlWnd::Event_Close() {
    Quit(0);
}

void ControlWnd::Event_EnableMenuItems() {}

bool ControlWnd::Canvas1_MouseDown(Canvas&, std::int64_t, std::int64_t) {
    ::AboutWnd().Show();
    return false;
}

bool ControlWnd::CanvasQ_MouseDown(Canvas&, std::int64_t, std::int64_t) {
    ::DescriptionWnd().Show();
    return false;
}

bool ControlWnd::_DescriptionMenuItem_Action() {
    ::DescriptionWnd().Show();
    return false;
}

bool ControlWnd::_AboutMenuItem_Action() {
    ::AboutWnd().Show();
    return false;
}

// The About window gives way whenever the main window comes to the front; when none is open,
// the accessor builds one, which is hidden at once.
void ControlWnd::Event_Activate() {
    ::AboutWnd().Hide();
}
