#include "WidgetTestSupport.h"
#include "platform/Graphics.h"
#include "platform/TextArea.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace platform::testing {
namespace {

// The block loop that the windows print with: one block per page, no blank page at the end.
void PrintInBlocks(TextArea& area) {
    std::unique_ptr<Graphics> g = OpenPrinterDialog();
    if (!g)
        return;
    auto printer = area.styledTextPrinter(*g, 540);
    while (!printer->Eof()) {
        printer->DrawBlock(0, 0, 540);
        if (!printer->Eof())
            g->NextPage();
    }
}

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

class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &OpenTestWindow("PrintingTest.Wnd", [this](TestWnd& w) {
            area = &AddControl<TextArea>(w, "Area",
                                         {{"Left", 0},
                                          {"Top", 0},
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
    int linesPerBlock() {
        auto log = std::make_shared<PrintLog>();
        auto g = Graphics::ToRecording(log);
        return static_cast<int>(540 / area->styledTextPrinter(*g, 540)->LineHeight());
    }
    ScriptedDialogs dialogs;
    TestWnd* window = nullptr;
    TextArea* area = nullptr;
};

TEST_F(PrintingTest, OneBlockPerPageWithoutATrailingBlankPage) {
    const int perBlock = linesPerBlock();
    ASSERT_GT(perBlock, 20);
    struct Case {
        int lines;
        std::size_t pages;
    } cases[] = {{1, 1}, {perBlock, 1}, {perBlock + 1, 2}, {3 * perBlock, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        area->SetText(LinesOfText(c.lines));
        auto log = dialogs.QueuePrintRecording();
        PrintInBlocks(*area);
        EXPECT_TRUE(log->completed);
        ASSERT_EQ(log->pages.size(), c.pages);
        EXPECT_EQ(log->nextPageCalls, static_cast<int>(c.pages) - 1);
        EXPECT_EQ(log->pages[0].front().text, "line 0");
        EXPECT_EQ(log->pages[0].front().y, 0);
        EXPECT_EQ(log->pages.back().back().text, "line " + std::to_string(c.lines - 1));
        for (const auto& page : log->pages)
            EXPECT_LE(page.back().y + 540.0 / perBlock, 540.0);
    }
}

TEST_F(PrintingTest, CancelledDialogPrintsNothingAndEmptyTextDrawsNothing) {
    dialogs.QueuePrintCancel();
    area->SetText("x");
    PrintInBlocks(*area);
    area->SetText("");
    auto log = dialogs.QueuePrintRecording();
    PrintInBlocks(*area);
    EXPECT_EQ(log->pages.size(), 1u);
    EXPECT_TRUE(log->pages[0].empty());
}

TEST_F(PrintingTest, PdfOutputHasOnePagePerBlock) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "quorvane-print-test.pdf").string();
    std::filesystem::remove(path);
    area->SetText(LinesOfText(3 * linesPerBlock()));
    dialogs.QueuePrintToPdf(path);
    PrintInBlocks(*area);
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
