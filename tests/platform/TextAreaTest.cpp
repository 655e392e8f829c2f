#include "platform/TextArea.h"

#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

namespace platform::testing {
namespace {

class TextAreaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &OpenTestWindow("TextAreaTest.Wnd", [this](TestWnd& w) {
            area = &AddControl<TextArea>(w, "Area",
                                         {{"Left", 10},
                                          {"Top", 10},
                                          {"Width", 280},
                                          {"Height", 180},
                                          {"FontName", "Courier"},
                                          {"FontSize", 10.0}});
        });
    }
    void TearDown() override {
        CloseWindow(*window);
        ProcessEvents();
    }
    TestWnd* window = nullptr;
    TextArea* area = nullptr;
};

TEST_F(TextAreaTest, KeepsCarriageReturnsAndUsesThemAfterAUserEdit) {
    area->SetText("one\rtwo\r");
    EXPECT_EQ(area->Text(), String("one\rtwo\r"));

    area->SetSelStart(3); // after "one"
    TypeKey(*area, "!");
    PressKey(*area, Key::Return);
    EXPECT_EQ(area->Text(), String("one!\r\rtwo\r"));
    EXPECT_EQ(area->SelStart(), 5);
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

TEST_F(TextAreaTest, UsesAFixedPitchFont) {
    EXPECT_TRUE(IsFixedPitch(*area));
    EXPECT_EQ(FontPixelSize(*area), 10);
}

} // namespace
} // namespace platform::testing
