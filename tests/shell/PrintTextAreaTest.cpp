#include "shell/PrintTextArea.h"

#include "WidgetTestSupport.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/TextArea.h"

#include <cstdio>
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

int PdfPages(const std::string& path) {
    std::FILE* pipe = ::popen(("pdfinfo '" + path + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[256];
    int pages = -1;
    while (std::fgets(buffer, sizeof buffer, pipe))
        std::sscanf(buffer, "Pages: %d", &pages);
    ::pclose(pipe);
    return pages;
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
    const std::string path =
        (std::filesystem::temp_directory_path() / "quorvane-print-test.pdf").string();
    std::filesystem::remove(path);
    area->SetText(LinesOfText(3 * linesPerBlock()));
    dialogs.QueuePrintToPdf(path);
    PrintTextArea(*area);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    const int pages = PdfPages(path);
    if (pages < 0)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pages, 3);
    std::filesystem::remove(path);
}

} // namespace
} // namespace platform::testing
