#include "shell/DescriptionWnd.h"

#include "Authorship.h"
#include "HelpTextLines.h"
#include "WidgetTestSupport.h"
#include "platform/core/Text.h"
#include "platform/desktop/MenuBar.h"
#include "platform/testing/Probes.h"
#include "shell/AboutWnd.h"
#include "shell/ControlWnd.h"
#include "shell/HelpText.h"

#include <gtest/gtest.h>
#include <string>

using namespace platform;
using namespace platform::testing;

namespace {

// Each test opens the Description window afresh from the main window, as the user does.
class DescriptionWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
            CloseWindow(*open);
        main = &ControlWnd();
        main->Show();
        ProcessEvents();
        ASSERT_EQ(_GetImplicitWindow("DescriptionWnd.DescriptionWnd"), nullptr);
        ResetRequestedExitCode();
        ClickInWindow(*main, 470, 190); // the question mark
        ProcessEvents();
        // The window that the click opened: the accessor would build one all the same.
        Window* opened = _GetImplicitWindow("DescriptionWnd.DescriptionWnd");
        ASSERT_NE(opened, nullptr) << "the question mark opened no Description window";
        window = &DescriptionWnd();
        ASSERT_EQ(window, opened);
    }
    // Closed again, so that the tests after these in the same process start without it.
    void TearDown() override {
        if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
            CloseWindow(*open);
        ProcessEvents();
        ResetRequestedExitCode();
    }

    static String Lines(int count) {
        String text;
        for (int i = 0; i < count; ++i)
            text += String("line " + std::to_string(i) + "\r");
        return text;
    }

    ScriptedDialogs dialogs;
    class ControlWnd* main = nullptr;
    class DescriptionWnd* window = nullptr;
};

TEST_F(DescriptionWndTest, AFixedDocumentWindowWithTheHelpTextAndTheNotice) {
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(FrontmostWindow(), window);
    EXPECT_EQ(window->Title(), String("Description"));
    EXPECT_EQ(window->Width(), 485);
    EXPECT_EQ(window->Height(), 525);
    EXPECT_FALSE(IsResizable(*window));
    EXPECT_TRUE(HasCloseButton(*window));
    EXPECT_FALSE(HasMinimizeButton(*window));
    EXPECT_FALSE(HasMaximizeButton(*window));
    EXPECT_FALSE(IsDialogWindow(*window));
    EXPECT_EQ(BackgroundColour(*window), 0xFFFFFFu);
    EXPECT_EQ(DrawnMenuBar(*window).size(), 3u);
    EXPECT_EQ(ControlNames(*window),
              (std::vector<String>{"DescribeFld", "DescribeFld2", "c2002", "PrintBtn"}));

    TextArea& help = window->DescribeFld2();
    EXPECT_EQ(help.Text(), HelpText());
    EXPECT_FALSE(help.ReadOnly());
    EXPECT_TRUE(IsFixedPitch(help));
    EXPECT_EQ(RequestedFont(help).pixelSize, 11);
    EXPECT_EQ(help.SelStart(), 0); // read from its start
    const WidgetGeometry helpAt = GeometryOf(help);
    EXPECT_EQ(helpAt.left, -1);
    EXPECT_EQ(helpAt.top, -1);
    EXPECT_EQ(helpAt.width, 485);
    EXPECT_EQ(helpAt.height, 500);

    TextArea& under = window->DescribeFld();
    EXPECT_EQ(under.Text(), String("\r"));
    EXPECT_TRUE(under.ReadOnly());
    EXPECT_EQ(GeometryOf(under).height, 498);

    Label& notice = window->c2002();
    const WidgetGeometry noticeAt = GeometryOf(notice);
    EXPECT_TRUE(noticeAt.shown);
    EXPECT_EQ(noticeAt.left, 112);
    EXPECT_EQ(noticeAt.top, 499);
    EXPECT_EQ(noticeAt.width, 353);
    EXPECT_EQ(noticeAt.height, 24);
    ExpectNoticeOfAuthorship(notice.Text());
    // Which face stands for Times is the installed fonts' matter; the notice asks for a serif
    // Times and gets a proportional face, not the text area's fixed-pitch one.
    const FontRequest asked = RequestedFont(notice);
    EXPECT_EQ(asked.family, "Times");
    EXPECT_EQ(asked.styleHint, FontStyleHint::Serif);
    EXPECT_EQ(asked.pixelSize, 11);
    EXPECT_FALSE(IsFixedPitch(notice)) << FontFamily(notice);
    EXPECT_NE(FontFamily(notice), FontFamily(help));

    EXPECT_FALSE(GeometryOf(window->PrintBtn()).shown);
    EXPECT_EQ(window->PrintBtn().Caption(), String("Print"));
}

// The accessor returns the open window as the user left it; closing it discards the edits and
// ends nothing, and the next window holds the help text again, its Print button hidden too.
TEST_F(DescriptionWndTest, KeepsTheUsersEditsUntilItIsClosed) {
    TextArea& help = window->DescribeFld2();
    help.SetFocus();
    TypeKey(help, "my note ");
    const String edited = help.Text();
    ASSERT_NE(edited, HelpText());
    ClickInWindow(*main, 470, 190);
    main->_DescriptionMenuItem_Action();
    EXPECT_EQ(&DescriptionWnd(), window);
    EXPECT_EQ(window->DescribeFld2().Text(), edited);

    CloseWindow(*window);
    ProcessEvents();
    EXPECT_EQ(RequestedExitCode(), std::nullopt);
    EXPECT_TRUE(main->IsOpen());
    EXPECT_EQ(_GetImplicitWindow("DescriptionWnd.DescriptionWnd"), nullptr);
    class DescriptionWnd& again = DescriptionWnd();
    EXPECT_EQ(again.DescribeFld2().Text(), HelpText());
    EXPECT_FALSE(GeometryOf(again.PrintBtn()).shown);
    EXPECT_TRUE(GeometryOf(again.c2002()).shown);
}

// The lines that the help text breaks itself fit the area's width in the area's own font,
// whichever face the desktop found for it, so that none wraps and a continuation line keeps
// its indent.
TEST_F(DescriptionWndTest, TheTextsOwnLinesFitTheAreasWidth) {
    TextArea& help = window->DescribeFld2();
    ProcessEvents();
    const double width = WrapWidth(help);
    for (const HelpPart& part : {kReferenceEntries, kInputExample, kSampleLines, kResultsBlock}) {
        SCOPED_TRACE(part.name);
        for (const std::string& line : LinesFrom(part.first, part.count))
            EXPECT_LE(TextWidth(help, line), width) << line;
    }
}

// Each of the two areas, the help text and the one under it, shows its selection only while
// it holds the focus.
TEST_F(DescriptionWndTest, EachAreaShowsItsSelectionOnlyWithTheFocus) {
    TextArea& help = window->DescribeFld2();
    TextArea& under = window->DescribeFld();
    under.SetText("under the help text\r");
    ExpectSelectionOnlyWithTheFocus(help, under);
    ExpectSelectionOnlyWithTheFocus(under, help);
}

// With the Description window in front, Control shows the main window and About the About
// window, each leaving it open behind; Description has no handler here and does nothing.
TEST_F(DescriptionWndTest, ItsMenuItemsShowTheOtherWindows) {
    EXPECT_FALSE(ChooseMenuItem("DescriptionMenuItem"));
    EXPECT_EQ(FrontmostWindow(), window);
    EXPECT_FALSE(ChooseMenuItem("AboutMenuItem"));
    EXPECT_TRUE(AboutWnd().IsVisible());
    AboutWnd().Hide();
    window->Show();
    EXPECT_TRUE(ChooseDrawnItem(*window, "Window", "Control"));
    EXPECT_EQ(FrontmostWindow(), main);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_TRUE(window->IsOpen());
    EXPECT_TRUE(dialogs.failures.empty());
}

// Cmd+P prints the help text as the area holds it: one page for a text that fits one block,
// a new page for each further block, and no test for an empty text.
TEST_F(DescriptionWndTest, PrintsTheTextFromTheFileMenu) {
    auto g = Graphics::ToRecording(std::make_shared<PrintLog>());
    const int perBlock =
        static_cast<int>(540 / window->DescribeFld2().styledTextPrinter(*g, 540)->LineHeight());
    struct Case {
        String text;
        std::size_t pages;
    } cases[] = {{Lines(1), 1}, {Lines(perBlock), 1}, {Lines(3 * perBlock), 3}, {"", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Len(c.text));
        window->DescribeFld2().SetText(c.text);
        auto log = dialogs.QueuePrintRecording();
        PressKeysInWindow(*window, "Ctrl+P");
        EXPECT_TRUE(log->completed);
        ASSERT_EQ(log->pages.size(), c.pages);
        EXPECT_EQ(log->nextPageCalls, static_cast<int>(c.pages) - 1);
    }
    EXPECT_EQ(dialogs.printDialogs, 4);

    dialogs.QueuePrintCancel();
    EXPECT_FALSE(window->_Print_Action());
    EXPECT_EQ(dialogs.printDialogs, 5);
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.unscripted.empty());
}

TEST_F(DescriptionWndTest, PrintsTheWholeHelpTextOnItsPages) {
    auto log = dialogs.QueuePrintRecording();
    EXPECT_TRUE(ChooseDrawnItem(*window, "File", "Print"));
    ASSERT_GT(log->pages.size(), 1u);
    EXPECT_EQ(log->pages.front().front().text, "Quorvane");
    EXPECT_EQ(log->pages.back().back().text.back(), '.');
    for (const auto& page : log->pages)
        for (const PrintLog::Line& line : page)
            EXPECT_LE(line.y, 540.0);
}

} // namespace
