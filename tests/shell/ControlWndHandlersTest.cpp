#include "WidgetTestSupport.h"
#include "platform/core/Text.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/MenuBar.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;
using namespace platform::testing;

namespace {

const char* const kNothingToPrint =
    "Nothing to print. First, specify number of raters, cases, and categories. Then click the "
    "Get Data button to load data file. Finally, results can be printed.";

class ControlWndHandlersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &ControlWnd();
        window->Show();
        Click(window->ClearBtn());
    }
    ScriptedDialogs dialogs;
    class ControlWnd* window = nullptr;
};

// The three count fields, each with its own filter.
struct CountField {
    const char* name;
    TextField& (ControlWnd::*field)();
    bool (ControlWnd::*filter)(TextField&, const String&);
};
const CountField kCountFields[] = {
    {"ObserversFld", &ControlWnd::ObserversFld, &ControlWnd::ObserversFld_KeyDown},
    {"CasesFld", &ControlWnd::CasesFld, &ControlWnd::CasesFld_KeyDown},
    {"CatsFld", &ControlWnd::CatsFld, &ControlWnd::CatsFld_KeyDown},
};

TEST_F(ControlWndHandlersTest, TypedKeysPassOnlyWhenDigits) {
    struct Case {
        const char* key;
        bool passes;
    } cases[] = {{"7", true},  {"0", true},  {"9", true},  {"a", false}, {"A", false},
                 {".", false}, {",", false}, {"-", false}, {"+", false}, {" ", false},
                 {"/", false}, {":", false}, {"é", false}};
    for (const CountField& f : kCountFields) {
        TextField& field = (window->*f.field)();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(f.name) + " key \"" + c.key + "\"");
            field.SetText("1");
            field.SetFocus();
            const int beepsBefore = dialogs.beeps;
            TypeKey(field, c.key);
            EXPECT_EQ(field.Text(), String(c.passes ? std::string("1") + c.key : "1"));
            EXPECT_EQ(dialogs.beeps - beepsBefore, c.passes ? 0 : 1);
            EXPECT_EQ(FocusedControlName(*window), String(f.name));
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ControlWndHandlersTest, ControlCodesPassAndTheBlankDoesNot) {
    struct Case {
        std::int64_t code;
        bool passes;
    } cases[] = {{0, true},   {1, true},    {8, true},   {9, true},   {13, true},
                 {27, true},  {31, true},   {127, true}, {32, false}, {47, false},
                 {58, false}, {126, false}, {128, false}};
    for (const CountField& f : kCountFields) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(f.name) + " code " + std::to_string(c.code));
            const int beepsBefore = dialogs.beeps;
            class ControlWnd& w = *window;
            TextField& field = (w.*f.field)();
            const String key = Chr(c.code);
            const bool consumed = (w.*f.filter)(field, key);
            EXPECT_EQ(consumed, !c.passes);
            EXPECT_EQ(dialogs.beeps - beepsBefore, c.passes ? 0 : 1);
        }
    }
}

TEST_F(ControlWndHandlersTest, EditingKeysStillWorkInTheFields) {
    TextField& cases = window->CasesFld();
    cases.SetFocus();
    TypeKey(cases, "123");
    EXPECT_EQ(cases.Text(), String("123"));
    PressKey(cases, Key::Left);
    PressKey(cases, Key::Backspace); // removes the 2
    EXPECT_EQ(cases.Text(), String("13"));
    PressKey(cases, Key::Home);
    PressKey(cases, Key::Delete); // removes the 1
    EXPECT_EQ(cases.Text(), String("3"));
    TypeKey(cases, "4");
    PressKey(cases, Key::End);
    TypeKey(cases, "5");
    EXPECT_EQ(cases.Text(), String("435"));
    PressKey(cases, Key::Right);
    EXPECT_EQ(cases.Text(), String("435"));
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ControlWndHandlersTest, MaximumLengthNotTheFilterRefusesAThirdDigit) {
    struct Case {
        TextField& field;
        const char* typed;
        const char* kept;
    } cases[] = {{window->ObserversFld(), "123", "12"},
                 {window->CasesFld(), "1234", "123"},
                 {window->CatsFld(), "987", "98"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.Name().str());
        c.field.SetFocus();
        TypeKey(c.field, c.typed);
        EXPECT_EQ(c.field.Text(), String(c.kept));
    }
    EXPECT_EQ(dialogs.beeps, 0);
}

// Only typed keys pass through the digit filter; a pasted text arrives whole.
TEST_F(ControlWndHandlersTest, PastedTextIsNotFiltered) {
    TextField& cases = window->CasesFld();
    cases.SetFocus();
    PutOnClipboard("1.5");
    PressKey(cases, Key::CtrlV);
    EXPECT_EQ(cases.Text(), String("1.5"));
    EXPECT_EQ(dialogs.beeps, 0);
    TypeKey(cases, ".");
    EXPECT_EQ(cases.Text(), String("1.5"));
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(ControlWndHandlersTest, ClearEmptiesEverythingDisablesTheReportAndFocusesRaters) {
    for (bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "filled" : "empty");
        if (filled) {
            window->ObserversFld().SetText("6");
            window->CasesFld().SetText("30");
            window->CatsFld().SetText("5");
            window->ResultsFld().SetEnabled(true);
            window->ResultsFld().SetText("a report\r");
        }
        window->CatsFld().SetFocus();
        Click(window->ClearBtn());
        EXPECT_EQ(window->ObserversFld().Text(), String(""));
        EXPECT_EQ(window->CasesFld().Text(), String(""));
        EXPECT_EQ(window->CatsFld().Text(), String(""));
        EXPECT_EQ(window->ResultsFld().Text(), String(""));
        EXPECT_FALSE(window->ResultsFld().IsEnabled());
        EXPECT_EQ(FocusedControlName(*window), String("ObserversFld"));
    }
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ControlWndHandlersTest, PointerLeavingTheLogoFocusesTheRatersField) {
    for (TextField* from : {&window->CatsFld(), &window->CasesFld(), &window->ObserversFld()}) {
        SCOPED_TRACE(from->Name().str());
        from->SetFocus();
        MouseExit(window->Canvas1());
        EXPECT_EQ(FocusedControlName(*window), String("ObserversFld"));
        for (RectControl* shown : std::initializer_list<RectControl*>{
                 &window->observerstext(), &window->ObserversFld(), &window->casetext(),
                 &window->CasesFld(), &window->categorytext(), &window->CatsFld()})
            EXPECT_TRUE(GeometryOf(*shown).shown);
    }
    window->CatsFld().SetFocus();
    MouseExit(window->CanvasQ()); // only the logo moves the focus
    EXPECT_EQ(FocusedControlName(*window), String("CatsFld"));
}

TEST_F(ControlWndHandlersTest, MenuItemsReachOnlyTheTwoRegisteredHandlers) {
    ASSERT_EQ(FrontmostWindow(), window);
    const char* const items[] = {"FileQuit",     "Print",           "EditUndo",
                                 "EditCut",      "EditCopy",        "EditPaste",
                                 "EditClear",    "ControlMenuItem", "DescriptionMenuItem",
                                 "AboutMenuItem"};
    for (const char* item : items) {
        const std::string name = item;
        EXPECT_EQ(window->HasMenuHandler(item),
                  name == "DescriptionMenuItem" || name == "AboutMenuItem")
            << item;
    }
    window->ResultsFld().SetEnabled(true);
    window->ResultsFld().SetText("a report\r");
    if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
        CloseWindow(*open);
    AboutWnd().Hide();
    ProcessEvents();
    ASSERT_EQ(FrontmostWindow(), window);
    EXPECT_FALSE(ChooseMenuItem("Print"));
    EXPECT_FALSE(ChooseMenuItem("ControlMenuItem"));
    EXPECT_EQ(FrontmostWindow(), window);

    // Each of the two handlers answers false and opens its window in front of this one.
    EXPECT_FALSE(ChooseMenuItem("DescriptionMenuItem"));
    Window* description = _GetImplicitWindow("DescriptionWnd.DescriptionWnd");
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());
    EXPECT_EQ(FrontmostWindow(), description);
    window->Show();
    ProcessEvents();
    ASSERT_EQ(FrontmostWindow(), window);
    EXPECT_FALSE(ChooseMenuItem("AboutMenuItem"));
    EXPECT_TRUE(AboutWnd().IsVisible());
    EXPECT_EQ(FrontmostWindow(), &AboutWnd());
    EXPECT_EQ(dialogs.printDialogs, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_EQ(window->ResultsFld().Text(), String("a report\r"));
    CloseWindow(*description);
    ProcessEvents();
}

TEST_F(ControlWndHandlersTest, PrintWithNothingToPrintBeepsAndExplains) {
    // Never computed; then a report that the user deleted in the area.
    for (bool deleted : {false, true}) {
        SCOPED_TRACE(deleted ? "deleted" : "never computed");
        TextArea& results = window->ResultsFld();
        if (deleted) {
            results.SetEnabled(true);
            results.SetText("a report\r");
            results.SetFocus();
            results.SetSelStart(0);
            results.SetSelLength(Len(results.Text()));
            PressKey(results, Key::Delete);
            ASSERT_EQ(results.Text(), String(""));
        }
        dialogs.beeps = 0;
        dialogs.messages.clear();
        Click(window->PrintBtn());
        EXPECT_EQ(dialogs.beeps, 1);
        EXPECT_EQ(dialogs.messages, std::vector<String>{kNothingToPrint});
        EXPECT_EQ(dialogs.printDialogs, 0);
    }
    EXPECT_TRUE(dialogs.unscripted.empty());
}

class ControlWndPrintTest : public ControlWndHandlersTest {
  protected:
    // Lines of the report font that fit into one block of 540.
    int linesPerBlock() {
        auto g = Graphics::ToRecording(std::make_shared<PrintLog>());
        const double lineHeight = window->ResultsFld().styledTextPrinter(*g, 540)->LineHeight();
        return static_cast<int>(540 / lineHeight);
    }
    static String Lines(int count) {
        String text;
        for (int i = 0; i < count; ++i)
            text += String("line " + std::to_string(i) + "\r");
        return text;
    }
};

TEST_F(ControlWndPrintTest, OneBlockPerPageWithoutATrailingBlankPage) {
    const int perBlock = linesPerBlock();
    ASSERT_GT(perBlock, 20);
    struct Case {
        String text;
        std::size_t pages;
    } cases[] = {{" ", 1},
                 {"\r", 1},
                 {Lines(1), 1},
                 {Lines(perBlock), 1},
                 {Lines(perBlock + 1), 2},
                 {Lines(3 * perBlock), 3}};
    TextArea& results = window->ResultsFld();
    results.SetEnabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(Len(c.text));
        results.SetText(c.text);
        auto log = dialogs.QueuePrintRecording();
        const int dialogsBefore = dialogs.printDialogs;
        Click(window->PrintBtn());
        EXPECT_EQ(dialogs.printDialogs - dialogsBefore, 1);
        EXPECT_TRUE(log->completed);
        ASSERT_EQ(log->pages.size(), c.pages);
        EXPECT_EQ(log->nextPageCalls, static_cast<int>(c.pages) - 1);
        for (const auto& page : log->pages) {
            ASSERT_FALSE(page.empty());
            EXPECT_EQ(page.front().x, 0);
            EXPECT_EQ(page.front().y, 0);
        }
        EXPECT_EQ(results.Text(), c.text);
    }
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ControlWndPrintTest, PrintsWhatTheAreaHoldsEvenWhenDisabled) {
    // The guard looks only at the length of the text, not at the enabled state.
    TextArea& results = window->ResultsFld();
    results.SetText("only line\r");
    ASSERT_FALSE(results.IsEnabled());
    auto log = dialogs.QueuePrintRecording();
    Click(window->PrintBtn());
    ASSERT_EQ(log->pages.size(), 1u);
    ASSERT_EQ(log->pages[0].size(), 1u);
    EXPECT_EQ(log->pages[0][0].text, "only line");
}

TEST_F(ControlWndPrintTest, LaysTheTextOutFiveHundredFortyUnitsWide) {
    // A report line of 80 characters fits the width; one of 200 wraps.
    const std::string reportLine(80, 'x');
    const std::string longLine(200, 'y');
    TextArea& results = window->ResultsFld();
    results.SetEnabled(true);
    results.SetText(String(reportLine + "\r" + longLine + "\r"));
    auto log = dialogs.QueuePrintRecording();
    Click(window->PrintBtn());
    ASSERT_EQ(log->pages.size(), 1u);
    ASSERT_GE(log->pages[0].size(), 3u);
    EXPECT_EQ(log->pages[0][0].text, reportLine);
    std::string wrapped;
    for (std::size_t i = 1; i < log->pages[0].size(); ++i)
        wrapped += log->pages[0][i].text;
    EXPECT_EQ(wrapped, longLine);
}

TEST_F(ControlWndPrintTest, PrintsTheUsersEditOfTheReport) {
    TextArea& results = window->ResultsFld();
    results.SetEnabled(true);
    results.SetText("kappa\r");
    results.SetFocus();
    results.SetSelStart(Len(results.Text()));
    TypeKey(results, "my note");
    ASSERT_EQ(results.Text(), String("kappa\rmy note"));
    auto log = dialogs.QueuePrintRecording();
    Click(window->PrintBtn());
    ASSERT_EQ(log->pages.size(), 1u);
    std::vector<std::string> printed;
    for (const auto& line : log->pages[0])
        printed.push_back(line.text);
    EXPECT_EQ(printed, (std::vector<std::string>{"kappa", "my note"}));
}

TEST_F(ControlWndPrintTest, CancelPrintsNothingAndSaysNothing) {
    TextArea& results = window->ResultsFld();
    results.SetEnabled(true);
    results.SetText(Lines(3));
    dialogs.QueuePrintCancel();
    auto unused = dialogs.QueuePrintRecording(); // would record a second, unwanted print job
    Click(window->PrintBtn());
    EXPECT_EQ(dialogs.printDialogs, 1);
    EXPECT_TRUE(unused->pages[0].empty());
    EXPECT_FALSE(unused->completed);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_EQ(results.Text(), Lines(3));
}

TEST_F(ControlWndHandlersTest, ClosingTheMainWindowQuitsWithCodeZero) {
    ResetRequestedExitCode();
    CloseWindow(*window);
    EXPECT_EQ(RequestedExitCode(), std::optional<std::int64_t>(0));
    EXPECT_FALSE(window->IsOpen());
    ProcessEvents();
    ResetRequestedExitCode();
    // A later caller gets a new main window.
    EXPECT_EQ(_GetImplicitWindow("ControlWnd.ControlWnd"), nullptr);
    EXPECT_TRUE(ControlWnd().IsOpen());
}

// Another program that destroys the main window's native window ends the run as the close
// button does.
TEST_F(ControlWndHandlersTest, TheMainWindowDestroyedFromOutsideQuitsWithCodeZero) {
    ProcessEvents();
    ResetRequestedExitCode();
    DestroyWindowFromOutside(*window);
    ProcessEvents();
    EXPECT_EQ(RequestedExitCode(), std::optional<std::int64_t>(0));
    EXPECT_EQ(_GetImplicitWindow("ControlWnd.ControlWnd"), nullptr);
    ResetRequestedExitCode();
}

// The logo shows the About window at the first click, also when the click activates the main
// window: the main window's Activate, which hides the About window, comes before the press.
TEST_F(ControlWndHandlersTest, TheLogoShowsTheAboutWindowAlsoFromAnotherActiveWindow) {
    struct Before {
        const char* name;
        void (*step)();
    };
    const Before befores[] = {
        {"the Description window active", [] { DescriptionWnd().Show(); }},
        {"the About window closed by its close button",
         [] {
             AboutWnd().Show();
             ProcessEvents();
             CloseWindow(AboutWnd());
         }},
    };
    for (const Before& before : befores) {
        SCOPED_TRACE(before.name);
        ProcessEvents();
        AboutWnd().Hide();
        before.step();
        ProcessEvents();
        ASSERT_FALSE(IsActive(*window));
        ClickInWindow(*window, 200, 20);
        ProcessEvents();
        EXPECT_TRUE(AboutWnd().IsVisible());
        EXPECT_EQ(FrontmostWindow(), &AboutWnd());
    }
    CloseIfOpen("DescriptionWnd.DescriptionWnd");
}

} // namespace
