#include "shell/PrintTextArea.h"

#include "PdfText.h"
#include "TemporaryFiles.h"
#include "WidgetTestSupport.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/TextArea.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace platform::testing {
namespace {

String LinesOfText(int count) {
    String text;
    for (int i = 0; i < count; ++i)
        text += String("line " + std::to_string(i) + "\r");
    return text;
}

// The block printing on a plain text area; the main window's Print button is tested with it.
class PrintTextAreaTest : public TextAreaWindowTest {
  protected:
    int linesPerBlock() {
        auto g = Graphics::ToRecording(std::make_shared<PrintLog>());
        return static_cast<int>(540 / area->styledTextPrinter(*g, 540)->LineHeight());
    }
    ScriptedDialogs dialogs;
};

TEST_F(PrintTextAreaTest, CancelPrintsNothingAndAnEmptyTextDrawsNoPage) {
    dialogs.QueuePrintCancel();
    area->SetText("x");
    PrintTextArea(*area);
    EXPECT_EQ(dialogs.printDialogs, 1);

    area->SetText("");
    auto log = dialogs.QueuePrintRecording();
    PrintTextArea(*area);
    EXPECT_TRUE(log->completed);
    EXPECT_EQ(log->nextPageCalls, 0);
    ASSERT_EQ(log->pages.size(), 1u);
    EXPECT_TRUE(log->pages[0].empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(PrintTextAreaTest, PdfOutputHasOnePagePerBlock) {
    const TemporaryPath pdf(".pdf");
    area->SetText(LinesOfText(3 * linesPerBlock()));
    dialogs.QueuePrintToPdf(pdf.path());
    PrintTextArea(*area);
    ASSERT_TRUE(std::filesystem::exists(pdf.path()));
    EXPECT_GT(std::filesystem::file_size(pdf.path()), 0u);
    if (!HasPdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const auto pages = ReadPdf(pdf.path());
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->size(), 3u);
}

} // namespace
} // namespace platform::testing
