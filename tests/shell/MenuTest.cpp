#include "shell/Menu.h"

#include "WidgetTestSupport.h"
#include "platform/core/Errors.h"
#include "platform/testing/Probes.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;
using namespace platform::testing;

namespace {

struct Row {
    const char* place; // "" for a top-level menu, else the Name of its menu
    const char* name;
    const char* className;
    const char* text;
    const char* shortcut; // nullptr: never assigned
};

// The bar in the order it is built and shown.
const Row kTree[] = {
    {"", "UntitledMenu3", "MenuItem", "", ""},
    {"", "UntitledMenu2", "MenuItem", "File", ""},
    {"UntitledMenu2", "FileQuit", "QuitMenuItem", "Quit", "Cmd+Q"},
    {"UntitledMenu2", "Print", "MenuItem", "Print", "Cmd+P"},
    {"UntitledMenu2", "UntitledMenu8", "MenuItem", "", ""},
    {"", "UntitledMenu0", "MenuItem", "Edit", ""},
    {"UntitledMenu0", "EditUndo", "MenuItem", "Undo", "Cmd+Z"},
    {"UntitledMenu0", "UntitledMenu1", "MenuItem", "-", nullptr},
    {"UntitledMenu0", "EditCut", "MenuItem", "Cut", "Cmd+X"},
    {"UntitledMenu0", "EditCopy", "MenuItem", "Copy", "Cmd+C"},
    {"UntitledMenu0", "EditPaste", "MenuItem", "Paste", "Cmd+V"},
    {"UntitledMenu0", "EditClear", "MenuItem", "", ""},
    {"UntitledMenu0", "UntitledMenu7", "MenuItem", "", ""},
    {"", "WindowMenu", "MenuItem", "Window", ""},
    {"WindowMenu", "ControlMenuItem", "MenuItem", "Control", ""},
    {"WindowMenu", "DescriptionMenuItem", "MenuItem", "Description", ""},
    {"WindowMenu", "AboutMenuItem", "MenuItem", "About Quorvane", ""},
    {"WindowMenu", "UntitledMenu6", "MenuItem", "", ""},
    {"WindowMenu", "UntitledMenu5", "AppleMenuItem", "", ""},
    {"", "UntitledMenu4", "MenuItem", "", ""},
};

TEST(Menu, TreeHoldsFiveMenusAndFifteenItemsInOrder) {
    const class Menu& bar = Menu();
    std::vector<const MenuItem*> walked;
    for (std::int64_t i = 0; i < bar.Count(); ++i) {
        walked.push_back(&bar.Item(i));
        for (std::int64_t j = 0; j < bar.Item(i).Count(); ++j)
            walked.push_back(&bar.Item(i).Item(j));
    }
    ASSERT_EQ(walked.size(), std::size(kTree));
    EXPECT_EQ(bar.Count(), 5);
    for (std::size_t k = 0; k < walked.size(); ++k) {
        const Row& row = kTree[k];
        const MenuItem& item = *walked[k];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(item.Name(), String(row.name));
        EXPECT_STREQ(item.ClassName(), row.className);
        EXPECT_EQ(item.Value(), String(row.text));
        EXPECT_EQ(item.HasShortcutSet(), row.shortcut != nullptr);
        EXPECT_EQ(item.Shortcut(), String(row.shortcut ? row.shortcut : ""));
        EXPECT_TRUE(item.AutoEnabled());
        EXPECT_TRUE(item.Visible());
        if (*row.place)
            EXPECT_EQ(bar.Child(row.place)->Child(row.name), &item);
        else
            EXPECT_EQ(bar.Child(row.name), &item);
    }
    EXPECT_EQ(bar.Child("FileQuit"), nullptr); // items are children of their menus only
}

TEST(Menu, SecondCallReturnsTheSameBarAndBuildsNothing) {
    const class Menu& first = Menu();
    MenuOperationProbe probe;
    EXPECT_EQ(&Menu(), &first);
    EXPECT_EQ(probe.Operations(), 0);
    EXPECT_EQ(Menu::_implicitInstance.get(), &first);
}

// The first failure stops the menu being built and every menu after it; what was appended
// before stays appended.
TEST(Menu, AFailureStopsTheBarWhereItStands) {
    MenuOperationProbe probe;
    probe.FailAt("AddMenu", 4); // Print, the File menu's second item
    class Menu bar;
    EXPECT_THROW(bar.Constructor(), PlatformError);
    EXPECT_EQ(probe.Failures(), 1);
    ASSERT_EQ(bar.Count(), 2);
    EXPECT_EQ(bar.Item(1).Name(), String("UntitledMenu2"));
    ASSERT_EQ(bar.Item(1).Count(), 1);
    EXPECT_EQ(bar.Item(1).Item(0).Name(), String("FileQuit"));
}

// Document windows draw the bar without the empty-text menus and items; the About window, a
// dialog, carries none.
TEST(Menu, DrawnInTheMainWindowButNotInTheAboutWindow) {
    const std::vector<DrawnMenu> drawn = DrawnMenuBar(ControlWnd());
    const auto items = [](const DrawnMenu& menu) {
        std::vector<std::string> texts;
        for (const DrawnItem& item : menu.items)
            texts.push_back(item.text + (item.shortcut.empty() ? "" : " " + item.shortcut));
        return texts;
    };
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].title, "File");
    EXPECT_EQ(items(drawn[0]), (std::vector<std::string>{"Quit Ctrl+Q", "Print Ctrl+P"}));
    EXPECT_EQ(drawn[1].title, "Edit");
    EXPECT_EQ(items(drawn[1]), (std::vector<std::string>{"Undo Ctrl+Z", "-", "Cut Ctrl+X",
                                                         "Copy Ctrl+C", "Paste Ctrl+V"}));
    EXPECT_EQ(drawn[2].title, "Window");
    EXPECT_EQ(items(drawn[2]),
              (std::vector<std::string>{"Control", "Description", "About Quorvane"}));
    EXPECT_TRUE(DrawnMenuBar(AboutWnd()).empty());
}

class MenuChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &ControlWnd();
        window->Show();
        Click(window->ClearBtn());
        AboutWnd().Hide();
        ProcessEvents();
    }
    ScriptedDialogs dialogs;
    class ControlWnd* window = nullptr;
};

// A choice goes to the handler of the window in front and to nothing else: the main window
// serves About, not Print or Control.
TEST_F(MenuChoiceTest, ReachesTheFrontmostWindowsHandlerOnly) {
    EXPECT_TRUE(ChooseDrawnItem(*window, "File", "Print"));
    EXPECT_TRUE(ChooseDrawnItem(*window, "Window", "Control"));
    PressKeysInWindow(*window, "Ctrl+P");
    EXPECT_EQ(dialogs.printDialogs, 0);
    EXPECT_FALSE(AboutWnd().IsVisible());
    EXPECT_TRUE(ChooseDrawnItem(*window, "Window", "About Quorvane"));
    EXPECT_TRUE(AboutWnd().IsVisible());
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_TRUE(dialogs.unscripted.empty());
}

// The Edit items act on the focused field; the field's own keys go on working as before, once.
TEST_F(MenuChoiceTest, EditItemsAndTheFieldsOwnKeysActOnTheFocusedField) {
    TextField& cases = window->CasesFld();
    cases.SetFocus();
    PutOnClipboard("12");
    EXPECT_TRUE(ChooseDrawnItem(*window, "Edit", "Paste"));
    EXPECT_EQ(cases.Text(), String("12"));
    cases.SetText("");
    PressKeysInWindow(*window, "Ctrl+V");
    EXPECT_EQ(cases.Text(), String("12"));
    PressKeysInWindow(*window, "Ctrl+Z");
    EXPECT_EQ(cases.Text(), String(""));

    TextArea& results = window->ResultsFld();
    results.SetEnabled(true);
    results.SetText("kappa\r");
    results.SetFocus();
    results.SetSelStart(0);
    results.SetSelLength(5);
    PutOnClipboard("");
    PressKeysInWindow(*window, "Ctrl+C");
    cases.SetText("");
    cases.SetFocus();
    PressKeysInWindow(*window, "Ctrl+V");
    EXPECT_EQ(cases.Text(), String("kap")); // the field takes at most 3 characters
    EXPECT_EQ(dialogs.beeps, 0);
}

} // namespace
