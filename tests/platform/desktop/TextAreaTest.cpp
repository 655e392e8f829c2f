#include "platform/desktop/TextArea.h"

#include "WidgetTestSupport.h"
#include "platform/desktop/TextField.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace platform::testing {
namespace {

using TextAreaTest = TextAreaWindowTest;

TEST_F(TextAreaTest, KeepsCarriageReturnsAndUsesThemAfterAUserEdit) {
    area->SetText("one\rtwo\r");
    EXPECT_EQ(area->Text(), String("one\rtwo\r"));

    area->SetSelStart(3); // after "one"
    TypeKey(*area, "!");
    PressKey(*area, Key::Return);
    EXPECT_EQ(area->Text(), String("one!\r\rtwo\r"));
    EXPECT_EQ(area->SelStart(), 5);
}

// Pasting while the clipboard holds nothing, as after the program that copied has ended,
// leaves the text as it was.
TEST_F(TextAreaTest, PastingFromAnEmptyClipboardChangesNothing) {
    for (void (*empty)() : {&EmptyClipboard, &EmptyClipboardOfAProgramGone}) {
        area->SetText("kept");
        area->SetFocus();
        area->SetSelStart(2);
        empty();
        PressKey(*area, Key::CtrlV);
        EXPECT_EQ(area->Text(), String("kept"));
        PutOnClipboard("ab");
        PressKey(*area, Key::CtrlV);
        EXPECT_EQ(area->Text(), String("keabpt"));
    }
}

TEST_F(TextAreaTest, AppendingThroughTextMatchesSettingTheWholeText) {
    const char* pieces[] = {"head\r", "\n", "crlf split\r\n", "x\xF0\x9F\x98\x80y\r", "\n", "end"};
    String whole;
    for (const char* piece : pieces) {
        area->SetText(area->Text() + String(piece));
        whole += String(piece);
    }
    EXPECT_EQ(area->Text(), whole);

    // After the appends the document must map positions like one made in a single step.
    const std::int64_t positions[] = {0, 5, 6, 7, 17, 19, 20, 21, 22, whole.length()};
    std::vector<String> appendedSelections;
    for (std::int64_t position : positions) {
        area->SetSelStart(position);
        area->SetSelLength(2);
        appendedSelections.push_back(area->SelText());
    }
    area->SetText("");
    area->SetText(String(whole.str())); // a buffer of its own: the whole document is replaced
    for (std::size_t i = 0; i < std::size(positions); ++i) {
        area->SetSelStart(positions[i]);
        area->SetSelLength(2);
        EXPECT_EQ(area->SelText(), appendedSelections[i]) << "at " << positions[i];
    }
}

TEST_F(TextAreaTest, SelTextInsertsAtTheInsertionPoint) {
    area->SetText("ab");
    area->SetSelStart(area->Text().length());
    area->SetSelText("c\r");
    area->SetSelStart(area->Text().length());
    area->SetSelText("\xF0\x9F\x98\x80"
                     "d");
    EXPECT_EQ(area->Text(), String("abc\r\xF0\x9F\x98\x80"
                                   "d"));
    EXPECT_EQ(area->SelStart(), 6);

    area->SetSelStart(5); // between the emoji and "d"
    area->SetSelText("-");
    EXPECT_EQ(area->Text(), String("abc\r\xF0\x9F\x98\x80-d"));
    area->SetSelStart(1);
    area->SetSelLength(1);
    EXPECT_EQ(area->SelText(), String("b"));
    area->SetSelText("BB");
    EXPECT_EQ(area->Text(), String("aBBc\r\xF0\x9F\x98\x80-d"));
    EXPECT_EQ(area->SelStart(), 3);
}

// Each line end as one carriage return, as the document shows it.
String OneCRPerLineEnd(const String& text) {
    std::string out;
    const std::string_view in = text.view();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n')
            ++i;
        out += in[i] == '\n' ? '\r' : in[i];
    }
    return String(out);
}

enum class Step { SetTextAppend, SelTextAppend, Events };

struct AppendScript {
    const char* name;
    std::vector<std::pair<Step, const char*>> steps;
};

void PrintTo(const AppendScript& script, std::ostream* out) {
    *out << script.name;
}

class DeferredAppendTest : public TextAreaTest, public ::testing::WithParamInterface<AppendScript> {
  protected:
    void Run() {
        for (const auto& [step, piece] : GetParam().steps) {
            switch (step) {
            case Step::SetTextAppend:
                area->SetText(area->Text() + String(piece));
                break;
            case Step::SelTextAppend:
                area->SetSelStart(area->Text().length());
                area->SetSelText(String(piece));
                break;
            case Step::Events:
                ProcessEvents();
                break;
            }
            expected += String(piece);
        }
    }
    String expected;
};

TEST_P(DeferredAppendTest, ReachesTheDocumentOnceEventsAreDelivered) {
    Run();
    EXPECT_EQ(area->Text(), expected);
    EXPECT_EQ(area->SelStart(), expected.length());
    EXPECT_EQ(area->SelLength(), 0);
    ProcessEvents();
    EXPECT_EQ(DocumentText(*area), OneCRPerLineEnd(expected));
    EXPECT_EQ(area->Text(), expected);
    EXPECT_EQ(area->SelStart(), expected.length());

    // Positions map as in a document made in one step.
    std::vector<String> selections;
    for (std::int64_t at = 0; at <= expected.length(); ++at) {
        area->SetSelStart(at);
        area->SetSelLength(2);
        selections.push_back(area->SelText());
    }
    area->SetText("");
    area->SetText(String(expected.str()));
    for (std::int64_t at = 0; at <= expected.length(); ++at) {
        area->SetSelStart(at);
        area->SetSelLength(2);
        EXPECT_EQ(area->SelText(), selections[static_cast<std::size_t>(at)]) << "at " << at;
    }
}

TEST_P(DeferredAppendTest, UserEditsKeepTheAppendedText) {
    Run();
    // At once, with the appends still pending: the key press brings them in first.
    area->SetSelStart(area->Text().length());
    TypeKey(*area, "!");
    EXPECT_EQ(area->Text(), OneCRPerLineEnd(expected) + "!");
    EXPECT_EQ(DocumentText(*area), area->Text());

    area->SetSelStart(area->Text().length());
    area->SetSelText("tail\r");
    area->SetSelStart(1);
    TypeKey(*area, "#");
    PressKey(*area, Key::End);
    PressKey(*area, Key::Backspace);
    const std::string before = OneCRPerLineEnd(expected).str() + "!tail\r";
    std::string typed = before.substr(0, 1) + "#" + before.substr(1);
    // End goes to the end of the line that the insertion point is on; Backspace takes the
    // character before it.
    const std::size_t lineEnd = typed.find('\r', 2);
    typed.erase(lineEnd - 1, 1);
    EXPECT_EQ(area->Text(), String(typed));
    EXPECT_EQ(DocumentText(*area), area->Text());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, DeferredAppendTest,
    ::testing::Values(AppendScript{"ThroughText",
                                   {{Step::SetTextAppend, "head\r"},
                                    {Step::SetTextAppend, "second\r"},
                                    {Step::SetTextAppend, "x\xF0\x9F\x98\x80y\r"}}},
                      AppendScript{"ThroughSelText",
                                   {{Step::SelTextAppend, "head\r"},
                                    {Step::SelTextAppend, "second\r"},
                                    {Step::SelTextAppend, "third"}}},
                      AppendScript{"MixedWithEventsBetween",
                                   {{Step::SetTextAppend, "one\r"},
                                    {Step::Events, ""},
                                    {Step::SelTextAppend, "two\r"},
                                    {Step::SetTextAppend, "three\r"},
                                    {Step::Events, ""},
                                    {Step::SelTextAppend, "four\r"}}},
                      AppendScript{"LineEndSplitInOneBatch",
                                   {{Step::SetTextAppend, "ab\r"},
                                    {Step::SelTextAppend, "\ncd\r"},
                                    {Step::SetTextAppend, "\n"},
                                    {Step::SetTextAppend, "ef"}}},
                      AppendScript{"LineEndSplitAcrossBatches",
                                   {{Step::SetTextAppend, "ab\r"},
                                    {Step::Events, ""},
                                    {Step::SelTextAppend, "\ncd\r"},
                                    {Step::Events, ""},
                                    {Step::SetTextAppend, "\nef"}}}),
    [](const ::testing::TestParamInfo<AppendScript>& script) { return script.param.name; });

// A hidden area is neither painted nor typed into; its document still follows.
TEST_F(TextAreaTest, HiddenAreaGetsAppendedTextOnceEventsAreDelivered) {
    area->SetVisible(false);
    ProcessEvents();
    area->SetText(area->Text() + "one\r");
    area->SetSelStart(area->Text().length());
    area->SetSelText("two\r");
    ProcessEvents();
    EXPECT_EQ(DocumentText(*area), String("one\rtwo\r"));
}

// With HideSelection the selection shows only while the area has the focus; without it, it
// shows also after the focus went elsewhere.
TEST(TextAreaSelection, HiddenWhileTheAreaLacksTheFocus) {
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "HideSelection 1" : "HideSelection 0");
        TextArea* area = nullptr;
        TextField* field = nullptr;
        TestWnd& window = OpenTestWindow("TextAreaSelection.Wnd", [&](TestWnd& w) {
            area = &AddControl<TextArea>(w, "Area",
                                         {{"Left", 10},
                                          {"Top", 10},
                                          {"Width", 280},
                                          {"Height", 120},
                                          {"HideSelection", hide ? 1 : 0}});
            field = &AddControl<TextField>(
                w, "Field", {{"Left", 10}, {"Top", 150}, {"Width", 100}, {"Height", 22}});
        });
        area->SetText("selected text\rand more\r");
        area->SetFocus();
        area->SetSelStart(0);
        area->SetSelLength(13);
        ProcessEvents();
        EXPECT_TRUE(DrawsSelection(*area));
        field->SetFocus();
        ProcessEvents();
        EXPECT_EQ(DrawsSelection(*area), !hide);
        EXPECT_EQ(area->SelLength(), 13);
        CloseWindow(window);
        ProcessEvents();
    }
}

TEST_F(TextAreaTest, UsesAFixedPitchFont) {
    EXPECT_TRUE(IsFixedPitch(*area));
    EXPECT_EQ(RequestedFont(*area).pixelSize, 10);
}

} // namespace
} // namespace platform::testing
