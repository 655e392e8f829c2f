#include "WidgetTestSupport.h"
#include "platform/desktop/Canvas.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/FileType.h"
#include "platform/desktop/Label.h"
#include "platform/desktop/MenuBar.h"
#include "platform/desktop/Picture.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/TextField.h"
#include "platform/testing/Drivers.h"

#include <gtest/gtest.h>
#include <thread>

namespace platform::testing {
namespace {

// A digit filter like the count fields': digits and control keys pass, anything else beeps.
bool DigitsOnly(TextField&, const String& key) {
    const std::string_view text = key.view();
    const bool digit = text >= "0" && text <= "9";
    const bool control = text.empty() || static_cast<unsigned char>(text[0]) < 32 || text[0] == 127;
    if (digit || control)
        return false;
    Beep();
    return true;
}

class WindowTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const char* name : {"WindowTest.A", "WindowTest.B", "WindowTest.Fields"})
            while (Window* open = _GetImplicitWindow(name))
                CloseWindow(*open);
        ProcessEvents();
    }
    ScriptedDialogs dialogs;
};

TEST_F(WindowTest, TextFieldKeyDownConsumesOrPassesKeys) {
    TextField* raters = nullptr;
    TextField* cases = nullptr;
    TestWnd& window = OpenTestWindow("WindowTest.Fields", [&](TestWnd& w) {
        raters = &AddControl<TextField>(w, "Raters",
                                        {{"Left", 10},
                                         {"Top", 10},
                                         {"Width", 60},
                                         {"Height", 22},
                                         {"TabIndex", 2},
                                         {"TabStop", 1},
                                         {"MaximumCharactersAllowed", 2},
                                         {"TextAlignment", 2}});
        AddControl<PushButton>(w, "Button",
                               {{"Left", 10},
                                {"Top", 40},
                                {"Width", 60},
                                {"Height", 22},
                                {"TabIndex", 1},
                                {"TabStop", 0}});
        cases = &AddControl<TextField>(w, "Cases",
                                       {{"Left", 10},
                                        {"Top", 70},
                                        {"Width", 60},
                                        {"Height", 22},
                                        {"TabIndex", 3},
                                        {"TabStop", 1}});
        raters->KeyDown.Bind(&DigitsOnly);
        cases->KeyDown.Bind(&DigitsOnly);
    });
    raters->SetFocus();
    TypeKey(*raters, "7a.");
    EXPECT_EQ(raters->Text(), String("7"));
    EXPECT_EQ(dialogs.beeps, 2);
    TypeKey(*raters, "12"); // the third character is refused by the maximum length
    EXPECT_EQ(raters->Text(), String("71"));
    PressKey(*raters, Key::Left);
    PressKey(*raters, Key::Backspace);
    EXPECT_EQ(raters->Text(), String("1"));
    PressKey(*raters, Key::End);
    TypeKey(*raters, "9");
    EXPECT_EQ(raters->Text(), String("19"));
    EXPECT_EQ(dialogs.beeps, 2);

    EXPECT_EQ(TabOrder(window), (std::vector<String>{"Raters", "Cases"}));
    EXPECT_EQ(FocusedControlName(window), String("Raters"));
    PressKey(*raters, Key::Tab);
    EXPECT_EQ(FocusedControlName(window), String("Cases"));
    EXPECT_TRUE(cases->HasFocus());
    EXPECT_FALSE(IsResizable(window));
    EXPECT_EQ(window.Width(), 300);
    EXPECT_EQ(window.Height(), 200);
}

TEST_F(WindowTest, RegistryFindsOpenWindowsShownOrHidden) {
    TestWnd& window = OpenTestWindow("WindowTest.A");
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(_GetImplicitWindow("WindowTest.A"), &window);
    window.Hide();
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(_GetImplicitWindow("WindowTest.A"), &window);
    CloseWindow(window);
    EXPECT_EQ(window.closes, 1); // the object lives until the events are processed
    EXPECT_EQ(_GetImplicitWindow("WindowTest.A"), nullptr);
    ProcessEvents();
    EXPECT_EQ(_GetImplicitWindow("WindowTest.A"), nullptr);
}

TEST_F(WindowTest, ControlLookupChecksNameAndClass) {
    TestWnd& window = OpenTestWindow("WindowTest.A", [](TestWnd& w) {
        AddControl<Canvas>(w, "Canvas1",
                           {{"Left", 54},
                            {"Top", -9},
                            {"Width", 100},
                            {"Height", 75},
                            {"Tooltip", "Click to see splash screen"}});
        AddControl<Label>(w, "Label1",
                          {{"Left", 64},
                           {"Top", 46},
                           {"Width", 50},
                           {"Height", 20},
                           {"InitialParent", "Canvas1"}});
    });
    EXPECT_NO_THROW(window._ControlByNameAs<Canvas>("Canvas1"));
    EXPECT_THROW(window._ControlByNameAs<Label>("Canvas1"), TypeMismatchException);
    EXPECT_THROW(window._ControlByName("Nothing"), NilObjectException);
    auto& canvas = window._ControlByNameAs<Canvas>("Canvas1");
    auto& label = window._ControlByNameAs<Label>("Label1");
    EXPECT_TRUE(IsInside(label, canvas));
    EXPECT_EQ(label.Left(), 64);
    EXPECT_EQ(label.Top(), 46);
    EXPECT_EQ(Tooltip(canvas), String("Click to see splash screen"));
    EXPECT_TRUE(TabOrder(window).empty());

    std::vector<LayoutEntry> unknownKey{{"Caption", "a label has none"}};
    EXPECT_THROW(_SetProperties(label, EncodeLayoutData(unknownKey)), LayoutDataException);
}

TEST_F(WindowTest, MenuItemsGoToTheFrontmostWindow) {
    std::vector<std::string> calls;
    TestWnd& a = OpenTestWindow("WindowTest.A");
    TestWnd& b = OpenTestWindow("WindowTest.B");
    a._AddMenuHandler("AboutMenuItem", [&] {
        calls.push_back("A");
        return false;
    });
    b._AddMenuHandler("Print", [&] {
        calls.push_back("B");
        return true;
    });

    EXPECT_EQ(FrontmostWindow(), &b);
    EXPECT_FALSE(ChooseMenuItem("AboutMenuItem")); // B has no handler for it: nothing happens
    EXPECT_TRUE(ChooseMenuItem("Print"));
    a.Show();
    EXPECT_FALSE(ChooseMenuItem("AboutMenuItem"));
    EXPECT_FALSE(ChooseMenuItem("Print"));
    a.Hide(); // B is frontmost again among the visible
    EXPECT_TRUE(ChooseMenuItem("Print"));
    EXPECT_EQ(calls, (std::vector<std::string>{"B", "A", "B"}));
}

TEST_F(WindowTest, AFailureInAHandlerIsReportedNotPropagated) {
    PushButton* button = nullptr;
    OpenTestWindow("WindowTest.A", [&](TestWnd& w) {
        button = &AddControl<PushButton>(
            w, "Btn", {{"Left", 0}, {"Top", 0}, {"Width", 80}, {"Height", 30}, {"Caption", "Go"}});
    });
    int actions = 0;
    button->Action.Bind([&](PushButton&) {
        ++actions;
        throw NilObjectException("nothing there");
    });
    EXPECT_NO_THROW(Click(*button));
    EXPECT_EQ(actions, 1);
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_EQ(dialogs.failures[0], String("NilObjectException: nothing there"));
}

// Windows, controls and menus are built on the main thread only; elsewhere building one is
// refused before any widget exists.
TEST_F(WindowTest, BuildingOffTheMainThreadIsRefused) {
    bool windowRefused = false;
    bool controlRefused = false;
    bool menuRefused = false;
    std::thread worker([&] {
        auto* window = new TestWnd("WindowTest.A");
        try {
            window->Constructor();
        } catch (const ThreadAccessingUIException&) {
            windowRefused = true;
        }
        delete window;
        TextField field;
        try {
            field.Constructor();
        } catch (const ThreadAccessingUIException&) {
            controlRefused = true;
        }
        MenuItem item;
        try {
            item.Constructor();
        } catch (const ThreadAccessingUIException&) {
            menuRefused = true;
        }
    });
    worker.join();
    EXPECT_TRUE(windowRefused);
    EXPECT_TRUE(controlRefused);
    EXPECT_TRUE(menuRefused);
    EXPECT_EQ(_GetImplicitWindow("WindowTest.A"), nullptr);
}

TEST_F(WindowTest, ScriptedDialogsAnswerAndNeverBlock) {
    FileType text;
    text.SetName("text");
    text.SetImported(true);
    (void)text.ToText();
    FileType tables;
    tables.SetName("tables");
    tables.SetExtensions(".tsv;csv");
    (void)String(tables);

    dialogs.QueueOpenFile("/tmp/ratings.txt");
    dialogs.QueueOpenFile(std::nullopt);
    auto chosen = GetOpenFolderItem("text");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NativePath(), "/tmp/ratings.txt");
    EXPECT_FALSE(GetOpenFolderItem("tables"));
    EXPECT_EQ(dialogs.openFilePatterns,
              (std::vector<std::vector<std::string>>{{"*"}, {"*.tsv", "*.csv"}}));
    EXPECT_THROW(GetOpenFolderItem("text"), UnscriptedDialog);

    tables.SetMimeType("text/tab-separated-values"); // withdraws the registration
    EXPECT_EQ(FindRegisteredFileType("tables"), nullptr);
    EXPECT_EQ(FindRegisteredFileType("text"), &text);

    MsgBox("Hello");
    EXPECT_EQ(dialogs.messages, std::vector<String>{"Hello"});
    dialogs.QueuePrintCancel();
    EXPECT_EQ(OpenPrinterDialog(), nullptr);
    EXPECT_THROW(OpenPrinterDialog(), UnscriptedDialog);
}

} // namespace
} // namespace platform::testing
