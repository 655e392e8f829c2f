#include "CalculatorTestSupport.h"
#include "PdfText.h"
#include "TemporaryFiles.h"
#include "platform/core/Text.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"
#include "shell/HelpText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

using namespace platform;
using namespace platform::testing;

namespace {

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    return lines;
}

// Where the words of one line begin, in character cells from the left edge of the text.
using Columns = std::vector<long>;

// The columns of a line of a text area on the screen.
Columns ScreenWordColumns(TextArea& area, int line, std::string_view text) {
    const std::vector<double> cells = ScreenColumns(area, line);
    Columns columns;
    for (std::size_t i = 0; i < text.size() && i < cells.size(); ++i) {
        const bool startsWord = text[i] != ' ' && text[i] != '\t';
        if (startsWord && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t'))
            columns.push_back(std::lround(cells[i]));
    }
    return columns;
}

// A printed line found in the pages: where its words begin, in cells of the page's fixed-pitch
// font, counted from the left edge of the printed block.
struct PrintedLine {
    std::vector<std::string> words;
    Columns columns;
};

std::vector<PrintedLine> PrintedLines(const std::vector<PdfPage>& pages) {
    std::vector<PrintedLine> printed;
    for (const PdfPage& page : pages) {
        // Every character is one cell wide, so the words' widths give the cell; the block is
        // drawn at the page's origin, so its leftmost word stands in the first column.
        double left = 1e9, width = 0;
        std::size_t characters = 0;
        for (const auto& line : page.lines)
            for (const PdfWord& word : line) {
                left = std::min(left, word.left);
                width += word.right - word.left;
                characters += word.text.size();
            }
        const double cell = width / static_cast<double>(characters);
        for (const auto& line : page.lines) {
            PrintedLine& p = printed.emplace_back();
            for (const PdfWord& word : line) {
                p.words.push_back(word.text);
                p.columns.push_back(std::lround((word.left - left) / cell));
            }
        }
    }
    return printed;
}

std::vector<std::string> PrintedWords(const std::vector<PdfPage>& pages) {
    std::vector<std::string> words;
    for (const PdfPage& page : pages)
        for (const std::string& line : page.text)
            for (std::string& word : Words(line))
                words.push_back(std::move(word));
    return words;
}

// The printed words are the text's, in its order: nothing dropped, nothing added. A failure
// shows where the two part.
void ExpectSameWords(const std::vector<PdfPage>& pages, std::string_view text) {
    const std::vector<std::string> printed = PrintedWords(pages);
    const std::vector<std::string> expected = Words(text);
    const auto [inPrint, inText] =
        std::mismatch(printed.begin(), printed.end(), expected.begin(), expected.end());
    if (inPrint == printed.end() && inText == expected.end())
        return;
    const auto context = [](auto from, auto end) {
        std::string shown;
        for (int i = 0; i < 8 && from != end; ++i, ++from)
            shown += "\"" + *from + "\" ";
        return shown;
    };
    ADD_FAILURE() << "the print parts from the text after word " << (inText - expected.begin())
                  << "\n  printed: " << context(inPrint, printed.end())
                  << "\n  text:    " << context(inText, expected.end());
}

class PrintedTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HasPdfToText())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    // Prints through `print`, which opens the print dialog, to a PDF file and reads it back.
    std::vector<PdfPage> PrintToPdf(const std::function<void()>& print) {
        TemporaryPath pdf(".pdf");
        dialogs.QueuePrintToPdf(pdf.path());
        print();
        EXPECT_TRUE(dialogs.unscripted.empty());
        std::optional<std::vector<PdfPage>> pages = ReadPdf(pdf.path());
        EXPECT_TRUE(pages) << "pdftotext could not read " << pdf.path();
        return pages ? *pages : std::vector<PdfPage>{};
    }

    // Each of `lines` (numbers of lines of the area's text) is printed on a line of its own,
    // in their order, word for word and with its words in the columns that the area shows
    // them in.
    static void ExpectPrintedAsShown(const std::vector<PrintedLine>& printed, TextArea& area,
                                     const std::vector<int>& lines) {
        const std::vector<std::string> text = LinesOf(area.Text().view());
        std::size_t next = 0;
        for (const int line : lines) {
            SCOPED_TRACE("line " + std::to_string(line) + ": \"" + text.at(line) + "\"");
            const std::vector<std::string> words = Words(text.at(line));
            while (next < printed.size() && printed[next].words != words)
                ++next;
            ASSERT_LT(next, printed.size()) << "not printed on a line of its own";
            EXPECT_EQ(printed[next].columns, ScreenWordColumns(area, line, text.at(line)));
            ++next;
        }
    }

    ScriptedDialogs dialogs;
};

// The help text printed from the Description window's File menu: every word on paper in the
// order of the text, the sample's tab-separated counts and the results block where the window
// shows them.
TEST_F(PrintedTextTest, TheHelpTextPrintsAsTheDescriptionWindowShowsIt) {
    if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
        CloseWindow(*open);
    ControlWnd().Show();
    class DescriptionWnd& window = DescriptionWnd();
    TextArea& help = window.DescribeFld2();
    const std::vector<PdfPage> pages =
        PrintToPdf([&] { EXPECT_TRUE(ChooseDrawnItem(window, "File", "Print")); });
    ASSERT_GT(pages.size(), 1u);

    ExpectSameWords(pages, HelpText().view());

    const std::vector<std::string> text = LinesOf(HelpText().view());
    const auto lineAfter = [&](std::string_view heading) {
        const auto at = std::find(text.begin(), text.end(), heading);
        EXPECT_NE(at, text.end()) << heading;
        return static_cast<int>(at - text.begin()) + 1;
    };
    std::vector<int> lines;
    // The sample's 30 cases follow its heading and the sentence that introduces them; the
    // results block is ten lines, framed.
    const int firstCase = lineAfter("Sample Data") + 1;
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(Words(text.at(firstCase + i)).size(), 5u) << text.at(firstCase + i);
        lines.push_back(firstCase + i);
    }
    const int resultsBlock = lineAfter("The results of this Quorvane analysis are:");
    for (int i = 0; i < 10; ++i)
        lines.push_back(resultsBlock + i);
    ExpectPrintedAsShown(PrintedLines(pages), help, lines);
    CloseWindow(window);
    ProcessEvents();
}

// The main window's Print button prints the report with a line that the user pasted into it:
// every line, the pasted tabs expanded to the window's tab stops.
TEST_F(PrintedTextTest, TheReportPrintsWithAPastedTabbedLine) {
    class ControlWnd& window = ControlWnd();
    window.Show();
    Click(window.ClearBtn());
    window.ObserversFld().SetText("6");
    window.CasesFld().SetText("30");
    window.CatsFld().SetText("5");
    TemporaryFile sample(calculator::testing::SampleText("\r"));
    dialogs.QueueOpenFile(sample.path());
    Click(window.CalculateBtn());
    TextArea& report = window.ResultsFld();
    ASSERT_GT(Len(report.Text()), 0);

    report.SetFocus();
    report.SetSelStart(Len(report.Text()));
    PutOnClipboard("second opinion\t2\t0\t4\t0\t0");
    PressKey(report, Key::CtrlV);
    const String text = report.Text();
    ASSERT_EQ(LinesOf(text.view()).back(), "second opinion\t2\t0\t4\t0\t0");

    const std::vector<PdfPage> pages = PrintToPdf([&] { Click(window.PrintBtn()); });
    ExpectSameWords(pages, text.view());
    std::vector<int> lines;
    const std::vector<std::string> reportLines = LinesOf(text.view());
    for (std::size_t i = 0; i < reportLines.size(); ++i)
        if (!Words(reportLines[i]).empty())
            lines.push_back(static_cast<int>(i));
    ExpectPrintedAsShown(PrintedLines(pages), report, lines);
    Click(window.ClearBtn());
}

} // namespace
