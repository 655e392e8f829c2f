#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"
#include "shell/HelpText.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string_view> SplitAtCarriageReturns(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string_view::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::size_t IndexOf(const std::vector<std::string_view>& lines, std::string_view line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// The help text promises that its sample, copied into a file, gives the results it shows. The
// sample lines are taken out of the text itself, as a user would copy them.
TEST(HelpTextSample, GetDataOnTheCopiedSampleGivesTheResultsBlock) {
    const std::string_view help = HelpText().view();
    const std::vector<std::string_view> helpLines = SplitAtCarriageReturns(help);
    const std::size_t heading = IndexOf(helpLines, "Sample Data");
    ASSERT_LT(heading + 31, helpLines.size());
    // The heading, the sentence that introduces the sample, then one line per case.
    const std::string_view firstCase = helpLines[heading + 2];
    const std::string_view lastCase = helpLines[heading + 31];
    const std::string_view sample =
        help.substr(static_cast<std::size_t>(firstCase.data() - help.data()),
                    static_cast<std::size_t>(lastCase.data() + lastCase.size() - firstCase.data()));
    const std::size_t resultsIntroduction =
        IndexOf(helpLines, "The results of this Quorvane analysis are:");
    ASSERT_LT(resultsIntroduction + 10, helpLines.size());
    const std::vector<std::string> resultsBlock(
        helpLines.begin() + static_cast<std::ptrdiff_t>(resultsIntroduction + 1),
        helpLines.begin() + static_cast<std::ptrdiff_t>(resultsIntroduction + 11));

    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quorvane-helpsample-" + std::to_string(::getpid()) + ".txt"))
                                 .string();
    std::ofstream(path, std::ios::binary) << sample;

    platform::testing::ScriptedDialogs dialogs;
    class ControlWnd& window = ControlWnd();
    window.ClearBtn_Action(window.ClearBtn());
    window.ObserversFld().SetText("6");
    window.CasesFld().SetText("30");
    window.CatsFld().SetText("5");
    dialogs.QueueOpenFile(path);
    platform::testing::Click(window.CalculateBtn());
    std::filesystem::remove(path);

    const std::string report = window.ResultsFld().Text().str();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.unscripted.empty());
    EXPECT_EQ(report.find("warning"), std::string::npos) << "every case sums to 6, no category is "
                                                            "empty";
    std::vector<std::string_view> reportLines = SplitAtCarriageReturns(report);
    ASSERT_EQ(reportLines.back(), "") << "the report ends with a line end";
    reportLines.pop_back();
    ASSERT_EQ(reportLines.size(), 31u);
    // After the date, the data header, 10 echoed cases, 2 omission marks and 2 empty lines.
    const std::vector<std::string> table(reportLines.begin() + 19, reportLines.begin() + 29);
    EXPECT_EQ(table, resultsBlock);
}

} // namespace
