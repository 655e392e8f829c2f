#include "shell/ControlWnd.h"

#include "WidgetTestSupport.h"
#include "platform/core/Errors.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWndLayout.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;
using namespace platform::testing;

namespace {

// Each control with a check that it is of its class and of no other.
struct ControlCase {
    const char* name;
    std::function<void(Window&, const char*)> isItsClassOnly;
};

template <class Right, class Wrong> void IsOnly(Window& window, const char* name) {
    EXPECT_NO_THROW(window._ControlByNameAs<Right>(name)) << name;
    EXPECT_THROW(window._ControlByNameAs<Wrong>(name), TypeMismatchException) << name;
}

// In creation order.
const std::vector<ControlCase>& Controls() {
    static const std::vector<ControlCase> controls{
        {"ObserversFld", IsOnly<TextField, TextArea>},
        {"CasesFld", IsOnly<TextField, Label>},
        {"CatsFld", IsOnly<TextField, PushButton>},
        {"ClearBtn", IsOnly<PushButton, Canvas>},
        {"CalculateBtn", IsOnly<PushButton, TextField>},
        {"ResultsFld", IsOnly<TextArea, TextField>},
        {"Canvas1", IsOnly<Canvas, Label>},
        {"Label1", IsOnly<Label, Canvas>},
        {"PrintBtn", IsOnly<PushButton, Label>},
        {"observerstext", IsOnly<Label, TextField>},
        {"casetext", IsOnly<Label, PushButton>},
        {"categorytext", IsOnly<Label, TextArea>},
        {"CanvasQ", IsOnly<Canvas, PushButton>},
    };
    return controls;
}

// Each test looks at a freshly built main window: one left open by an earlier test in the same
// process is closed first (its Close only records the exit code).
class ControlWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (Window* open = _GetImplicitWindow("ControlWnd.ControlWnd")) {
            CloseWindow(*open);
            ProcessEvents();
        }
        ResetRequestedExitCode();
    }
    void TearDown() override { ResetRequestedExitCode(); }
    ScriptedDialogs dialogs;
};

TEST_F(ControlWndTest, EachNameFindsOneControlOfItsClassInCreationOrder) {
    class ControlWnd& window = ControlWnd();
    std::vector<String> expected;
    for (const ControlCase& control : Controls()) {
        control.isItsClassOnly(window, control.name);
        expected.push_back(control.name);
    }
    EXPECT_EQ(ControlNames(window), expected); // also: every name once, nothing else
    EXPECT_THROW(window._ControlByName("observersfld"), NilObjectException);

    EXPECT_EQ(&window.ObserversFld(), &window._ControlByName("ObserversFld"));
    EXPECT_EQ(&window.CanvasQ(), &window._ControlByName("CanvasQ"));
    EXPECT_TRUE(IsInside(window.Label1(), window.Canvas1()));
    EXPECT_TRUE(dialogs.failures.empty());
}

TEST_F(ControlWndTest, ControlsStandWhereTheirLayoutPutsThem) {
    class ControlWnd& window = ControlWnd();
    struct Bounds {
        const char* name;
        std::int64_t left, top, width, height;
    } bounds[] = {{"ObserversFld", 214, 116, 60, 22}, {"CasesFld", 214, 143, 60, 22},
                  {"CatsFld", 214, 170, 60, 22},      {"ClearBtn", 400, 470, 80, 30},
                  {"CalculateBtn", 204, 470, 80, 30}, {"ResultsFld", 20, 213, 460, 230},
                  {"Canvas1", 54, -9, 381, 75},       {"Label1", 184, 46, 117, 20},
                  {"PrintBtn", 20, 470, 80, 30},      {"observerstext", 20, 117, 190, 20},
                  {"casetext", 20, 145, 190, 20},     {"categorytext", 20, 171, 190, 20},
                  {"CanvasQ", 463, 171, 22, 41}};
    for (const Bounds& b : bounds) {
        SCOPED_TRACE(b.name);
        const WidgetGeometry at = GeometryOf(window._ControlByNameAs<RectControl>(b.name));
        EXPECT_EQ(at.left, b.left);
        EXPECT_EQ(at.top, b.top);
        EXPECT_EQ(at.width, b.width);
        EXPECT_EQ(at.height, b.height);
        EXPECT_TRUE(at.shown);
    }
}

TEST_F(ControlWndTest, WindowIsAFixedSizeQuorvaneWindowWithoutMaximize) {
    class ControlWnd& window = ControlWnd();
    EXPECT_EQ(window.Width(), 500);
    EXPECT_EQ(window.Height(), 520);
    EXPECT_EQ(window.Title(), String("Quorvane"));
    EXPECT_FALSE(IsResizable(window));
    EXPECT_TRUE(HasCloseButton(window));
    EXPECT_TRUE(HasMinimizeButton(window));
    EXPECT_FALSE(HasMaximizeButton(window));
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(window.FullClassName(), "ControlWnd.ControlWnd");
}

TEST_F(ControlWndTest, CountFieldsStartEmptyCentredWithTheirMaximumLengths) {
    class ControlWnd& window = ControlWnd();
    struct Field {
        TextField& field;
        std::int64_t maximum;
    } fields[] = {{window.ObserversFld(), 2}, {window.CasesFld(), 3}, {window.CatsFld(), 2}};
    for (const Field& f : fields) {
        SCOPED_TRACE(f.field.Name().str());
        EXPECT_EQ(f.field.Text(), String(""));
        EXPECT_EQ(f.field.TextAlignment(), 2);
        EXPECT_EQ(f.field.MaximumCharactersAllowed(), f.maximum);
        EXPECT_TRUE(f.field.IsEnabled());
        EXPECT_FALSE(f.field.ReadOnly());
    }
}

TEST_F(ControlWndTest, ResultsAreaStartsEmptyDisabledAndFixedPitch) {
    class ControlWnd& window = ControlWnd();
    TextArea& results = window.ResultsFld();
    EXPECT_EQ(results.Text(), String(""));
    EXPECT_FALSE(results.IsEnabled());
    EXPECT_FALSE(results.ReadOnly());
    EXPECT_TRUE(IsFixedPitch(results));

    // Disabled, it takes no typing; once enabled, it does.
    TypeKey(results, "x");
    EXPECT_EQ(results.Text(), String(""));
    results.SetEnabled(true);
    results.SetFocus();
    TypeKey(results, "x");
    EXPECT_EQ(results.Text(), String("x"));
}

TEST_F(ControlWndTest, ResultsAreaShowsItsSelectionOnlyWithTheFocus) {
    class ControlWnd& window = ControlWnd();
    // Its first activation builds the About window, which the desktop then activates in its
    // turn; shown again, the main window is the active one.
    ProcessEvents();
    window.Show();
    ProcessEvents();
    TextArea& results = window.ResultsFld();
    results.SetEnabled(true); // as after Get Data
    results.SetText("a report\r");
    ExpectSelectionOnlyWithTheFocus(results, window.ObserversFld());
}

TEST_F(ControlWndTest, TabMovesOnlyAmongTheCountFields) {
    class ControlWnd& window = ControlWnd();
    EXPECT_EQ(TabOrder(window), (std::vector<String>{"ObserversFld", "CasesFld", "CatsFld"}));
    window.ObserversFld().SetFocus();
    PressKey(window.ObserversFld(), Key::Tab);
    EXPECT_EQ(FocusedControlName(window), String("CasesFld"));
    PressKey(window.CasesFld(), Key::Tab);
    EXPECT_EQ(FocusedControlName(window), String("CatsFld"));
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(ControlWndTest, CanvasesNeverTakeTheFocus) {
    class ControlWnd& window = ControlWnd();
    for (Canvas* canvas : {&window.Canvas1(), &window.CanvasQ()}) {
        SCOPED_TRACE(canvas->Name().str());
        EXPECT_FALSE(TakesFocus(*canvas));
        window.CasesFld().SetFocus();
        MouseDown(*canvas, 5, 5);
        EXPECT_EQ(FocusedControlName(window), String("CasesFld"));
    }
    EXPECT_EQ(Tooltip(window.Canvas1()), String("Click to see splash screen"));
    EXPECT_EQ(Tooltip(window.CanvasQ()), String(""));
    // The press on the question mark opened the Description window.
    CloseIfOpen("DescriptionWnd.DescriptionWnd");
}

TEST_F(ControlWndTest, LabelsAndButtonsShowTheirTexts) {
    class ControlWnd& window = ControlWnd();
    EXPECT_EQ(window.observerstext().Text(), String("Number of raters (2-99):"));
    EXPECT_EQ(window.casetext().Text(), String("Number of cases (2-999):"));
    EXPECT_EQ(window.categorytext().Text(), String("Number of categories (2-25):"));
    EXPECT_EQ(window.ClearBtn().Caption(), String("Clear"));
    EXPECT_EQ(window.CalculateBtn().Caption(), String("Get Data"));
    EXPECT_EQ(window.PrintBtn().Caption(), String("Print"));
    EXPECT_EQ(window.Label1().Text(), String(shell::creditLine));
    EXPECT_EQ(window.Label1().TextColor(), 0x00FB0106u);
    EXPECT_EQ(window.Label1().TextAlignment(), 2);
    EXPECT_EQ(window.observerstext().TextColor(), 0u);
    EXPECT_TRUE(window.Canvas1().Backdrop());
    EXPECT_TRUE(window.CanvasQ().Backdrop());
}

TEST_F(ControlWndTest, AccessorReturnsTheOpenWindowShownOrHidden) {
    class ControlWnd& first = ControlWnd();
    EXPECT_EQ(&ControlWnd(), &first);
    first.CasesFld().SetText("12");
    first.Hide();
    EXPECT_FALSE(first.IsVisible());
    class ControlWnd& again = ControlWnd();
    EXPECT_EQ(&again, &first);
    EXPECT_FALSE(again.IsVisible()); // the accessor does not show it
    EXPECT_EQ(again.CasesFld().Text(), String("12"));
    again.Show();
    EXPECT_TRUE(first.IsVisible());
}

} // namespace
