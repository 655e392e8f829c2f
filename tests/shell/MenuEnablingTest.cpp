#include "WidgetTestSupport.h"
#include "platform/desktop/MenuBar.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"
#include "shell/Menu.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;
using namespace platform::testing;

namespace {

// The texts of the items that the window's bar shows enabled, menu after menu as drawn.
std::vector<std::string> EnabledItems(Window& window) {
    std::vector<std::string> enabled;
    for (const DrawnMenu& menu : DrawnMenuBar(window))
        for (const DrawnItem& item : menu.items)
            if (item.enabled && item.text != "-")
                enabled.push_back(item.text);
    return enabled;
}

// Each test starts in the main window, cleared, with the focus in the cases field, nothing on
// the clipboard and no Description window.
class MenuEnablingTest : public ::testing::Test {
  public:
    void SetUp() override { Reset(); }
    void TearDown() override { Restore(); }
    void Reset() {
        CloseDescription();
        main = &ControlWnd();
        main->Show();
        Click(main->ClearBtn());
        AboutWnd().Hide();
        ProcessEvents();
        ASSERT_EQ(FrontmostWindow(), main);
        main->CasesFld().SetFocus();
        EmptyClipboard();
    }
    void Restore() {
        main->CasesFld().SetReadOnly(false);
        main->ResultsFld().SetReadOnly(false);
        Click(main->ClearBtn());
        CloseDescription();
        EmptyClipboard();
    }
    static void CloseDescription() {
        if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
            CloseWindow(*open);
        ProcessEvents();
    }
    // The cases field holding "12" as typed, all of it selected.
    void TypeAndSelectInCases() {
        TypeKey(main->CasesFld(), "12");
        PressKeysInWindow(*main, "Ctrl+A");
    }
    // The report area holding a report, "kappa" selected and the focus in it.
    void SelectInResults() {
        TextArea& results = main->ResultsFld();
        results.SetEnabled(true); // as after Get Data
        results.SetText("kappa\r");
        results.SetFocus();
        results.SetSelStart(0);
        results.SetSelLength(5);
    }
    // The Description window in front with the focus in its help text.
    class DescriptionWnd& Description() {
        class DescriptionWnd& description = DescriptionWnd();
        description.Show();
        ProcessEvents();
        description.DescribeFld2().SetFocus();
        return description;
    }

    ScriptedDialogs dialogs;
    class ControlWnd* main = nullptr;
};

// Window x focus: an item is enabled exactly when choosing it would act in the window in
// front. The main window serves Description and About, the Description window Print, Control
// and About; the Edit items follow what the focused text control can do; Quit always acts.
TEST_F(MenuEnablingTest, ItemsAreEnabledExactlyWhereChoosingThemActs) {
    using Items = std::vector<std::string>;
    struct Case {
        const char* focus;
        std::function<Window&(MenuEnablingTest&)> put;
        Items enabled;
    };
    const Case cases[] = {
        {"main: a button, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             PutOnClipboard("3");
             t.main->CalculateBtn().SetFocus();
             return *t.main;
         },
         {"Quit", "Description", "About Quorvane"}},
        {"main: an empty field, nothing on the clipboard",
         [](MenuEnablingTest& t) -> Window& { return *t.main; },
         {"Quit", "Description", "About Quorvane"}},
        {"main: a field typed into, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             TypeKey(t.main->CasesFld(), "12");
             PutOnClipboard("3");
             return *t.main;
         },
         {"Quit", "Undo", "Paste", "Description", "About Quorvane"}},
        {"main: a field with a selection",
         [](MenuEnablingTest& t) -> Window& {
             t.TypeAndSelectInCases();
             return *t.main;
         },
         {"Quit", "Undo", "Cut", "Copy", "Description", "About Quorvane"}},
        {"main: a read-only field with a selection, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             t.TypeAndSelectInCases();
             t.main->CasesFld().SetReadOnly(true);
             PutOnClipboard("3");
             return *t.main;
         },
         {"Quit", "Copy", "Description", "About Quorvane"}},
        {"main: the report with a selection, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             t.SelectInResults();
             PutOnClipboard("3");
             return *t.main;
         },
         {"Quit", "Cut", "Copy", "Paste", "Description", "About Quorvane"}},
        {"main: the report read-only with a selection, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             t.SelectInResults();
             t.main->ResultsFld().SetReadOnly(true);
             PutOnClipboard("3");
             return *t.main;
         },
         {"Quit", "Copy", "Description", "About Quorvane"}},
        {"main: the report typed into",
         [](MenuEnablingTest& t) -> Window& {
             t.SelectInResults();
             TypeKey(t.main->ResultsFld(), "k");
             return *t.main;
         },
         {"Quit", "Undo", "Description", "About Quorvane"}},
        {"Description: the help text, nothing on the clipboard",
         [](MenuEnablingTest& t) -> Window& { return t.Description(); },
         {"Quit", "Print", "Control", "About Quorvane"}},
        {"Description: the help text with a selection, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             class DescriptionWnd& description = t.Description();
             description.DescribeFld2().SetSelStart(0);
             description.DescribeFld2().SetSelLength(8);
             PutOnClipboard("3");
             return description;
         },
         {"Quit", "Print", "Cut", "Copy", "Paste", "Control", "About Quorvane"}},
        {"Description: the help text read-only with a selection, text on the clipboard",
         [](MenuEnablingTest& t) -> Window& {
             class DescriptionWnd& description = t.Description();
             description.DescribeFld2().SetReadOnly(true);
             description.DescribeFld2().SetSelStart(0);
             description.DescribeFld2().SetSelLength(8);
             PutOnClipboard("3");
             return description;
         },
         {"Quit", "Print", "Copy", "Control", "About Quorvane"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        Window& front = c.put(*this);
        ASSERT_EQ(FrontmostWindow(), &front);
        EXPECT_EQ(EnabledItems(front), c.enabled);
        Restore();
        Reset();
    }
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.failures.empty());
}

// A disabled item does nothing, chosen or by its key, and its key goes on to the focused
// control as before; an enabled one acts. The states are those of the moment: the window in
// front and its focus when the key is pressed, not when a menu last opened.
TEST_F(MenuEnablingTest, ShortcutsFollowTheWindowAndTheFocusWhenTheKeyIsPressed) {
    EXPECT_EQ(EnabledItems(*main).size(), 3u); // Print disabled as the menus were last seen
    class DescriptionWnd& description = Description();
    auto log = dialogs.QueuePrintRecording();
    PressKeysInWindow(description, "Ctrl+P");
    EXPECT_EQ(dialogs.printDialogs, 1);
    EXPECT_TRUE(log->completed);

    EXPECT_TRUE(ChooseDrawnItem(description, "Window", "Control"));
    ASSERT_EQ(FrontmostWindow(), main);
    main->CasesFld().SetFocus();
    PressKeysInWindow(*main, "Ctrl+P");
    EXPECT_TRUE(ChooseDrawnItem(*main, "File", "Print"));
    EXPECT_EQ(dialogs.printDialogs, 1);
    EXPECT_EQ(main->CasesFld().Text(), String(""));

    // The Edit keys go on acting on the focused control, through it or through the menu.
    TypeAndSelectInCases();
    PressKeysInWindow(*main, "Ctrl+C");
    EXPECT_EQ(ClipboardText(), String("12"));
    SelectInResults();
    main->ResultsFld().SetReadOnly(true);
    PressKeysInWindow(*main, "Ctrl+X"); // Cut: disabled in a read-only area
    EXPECT_EQ(ClipboardText(), String("12"));
    EXPECT_EQ(main->ResultsFld().Text(), String("kappa\r"));
    PressKeysInWindow(*main, "Ctrl+C");
    EXPECT_EQ(ClipboardText(), String("kappa"));
    main->CasesFld().SetFocus();
    main->CasesFld().SetText("");
    PressKeysInWindow(*main, "Ctrl+V");
    EXPECT_EQ(main->CasesFld().Text(), String("kap"));
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_TRUE(dialogs.unscripted.empty());
}

// An item that is not auto-enabled stays disabled where a handler would serve it; its key
// does nothing.
TEST_F(MenuEnablingTest, AnItemNotAutoEnabledStaysDisabled) {
    MenuItem& print = *Menu().Child("UntitledMenu2")->Child("Print");
    class DescriptionWnd& description = Description();
    print.SetAutoEnabled(false);
    const std::vector<std::string> enabled = EnabledItems(description);
    PressKeysInWindow(description, "Ctrl+P");
    EXPECT_TRUE(ChooseDrawnItem(description, "File", "Print"));
    print.SetAutoEnabled(true);
    EXPECT_EQ(enabled, (std::vector<std::string>{"Quit", "Control", "About Quorvane"}));
    EXPECT_EQ(dialogs.printDialogs, 0);
    EXPECT_TRUE(dialogs.unscripted.empty());
}

// A window of its own: its handler enables its item, and its hook runs each time one of its
// menus opens.
class HookWnd : public TestWnd {
  public:
    HookWnd() : TestWnd("MenuEnablingTest.HookWnd") {}
    int hooks = 0;

  protected:
    void AddMenuHandlers(Window&) override {
        _AddMenuHandler("ControlMenuItem", [] { return false; });
    }
    void Event_EnableMenuItems() override { ++hooks; }
};

TEST_F(MenuEnablingTest, AWindowsHandlersEnableItsItemsAndItsHookRunsAsAMenuOpens) {
    HookWnd& window = NewWindow<HookWnd>();
    ProcessEvents();
    ASSERT_EQ(FrontmostWindow(), &window);
    EXPECT_EQ(EnabledItems(window), (std::vector<std::string>{"Quit", "Control"}));
    EXPECT_EQ(window.hooks, 3); // File, Edit, Window
    CloseWindow(window);
    ProcessEvents();
}

} // namespace
