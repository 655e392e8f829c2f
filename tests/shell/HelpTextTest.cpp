#include "shell/HelpText.h"

#include "CalculatorTestSupport.h"
#include "HelpTextLines.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kLineCount = 88;

bool IsSampleLine(std::size_t number) {
    return number >= kSampleLines.first && number < kSampleLines.first + kSampleLines.count;
}

TEST(HelpText, IsPlainAsciiWithTabsOnlyInTheSampleLines) {
    const std::string_view text = HelpText().view();
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    EXPECT_EQ(text.find('"'), std::string_view::npos);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '.') << "no line end after the disclaimer";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        EXPECT_TRUE(c == '\r' || c == '\t' || (c >= 32 && c < 127))
            << "code " << int(c) << " at " << i;
    }

    const std::vector<std::string> lines = HelpLines();
    ASSERT_EQ(lines.size(), kLineCount);
    std::size_t tabs = 0;
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        const std::string& line = lines[number - 1];
        SCOPED_TRACE("line " + std::to_string(number));
        const auto lineTabs = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
        tabs += lineTabs;
        if (!IsSampleLine(number)) {
            EXPECT_EQ(lineTabs, 0u);
            continue;
        }
        // A digit, then four times a tab and a digit: nothing else, and the counts sum to 6.
        ASSERT_EQ(line.size(), 9u);
        int raters = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i % 2 == 1) {
                EXPECT_EQ(line[i], '\t');
            } else {
                ASSERT_TRUE(line[i] >= '0' && line[i] <= '9');
                raters += line[i] - '0';
            }
        }
        EXPECT_EQ(raters, 6);
    }
    EXPECT_EQ(tabs, 120u);
}

TEST(HelpText, EmptyLinesStandBetweenSectionsOnly) {
    const std::set<std::size_t> empty = {2, 4, 6, 8, 10, 12, 25, 28, 34, 36, 69, 81, 84, 87};
    const std::vector<std::string> lines = HelpLines();
    ASSERT_EQ(lines.size(), kLineCount);
    for (std::size_t number = 1; number <= lines.size(); ++number)
        EXPECT_EQ(lines[number - 1].empty(), empty.contains(number)) << "line " << number;
}

TEST(HelpText, FixedSectionsAreExact) {
    const std::string frame(60, '+');
    const std::pair<std::size_t, std::vector<std::string>> sections[] = {
        {1, {"Quorvane"}},
        {13, {"References"}},
        {26,
         {"Data Input",
          "Data is input from a text file. It is not interactive. In that file, each case must "
          "reside on a single line. Each case must include an entry for each of the categories. "
          "Non-selected categories are indicated by zeros.  Category entries are separated by "
          "tabs.  The end of each line of data (case) is marked by a return.  Thus, Quorvane uses "
          "tab delimited text files for its data input. Do not use spaces or commas to separate "
          "categories -- only tabs will work.",
          "", "For example, if 5 cases have been classified into 3 categories by 4 observers:",
          "     case #1---> 1 2 1", "     case #2---> 1 1 2", "       " + std::string(26, '.'),
          "    case #5---> 3 1 0", "",
          "In the above data, for case #1: 1 observer put that case into category #1, 2 observers "
          "put that case into category #2, and 1 observer judged that case to belong to category "
          "#3.  For case #5, 3 observers judged it to belong to category #1, 1 observer judged it "
          "to belong to category #2, and zero observers placed it into category #3."}},
        {37,
         {"Sample Data", "The following data is from Fleiss (1971). There are 6 raters, 5 "
                         "categories, and 30 cases."}},
        {70, {"The results of this Quorvane analysis are:"}},
        // The results table of the sample's agreement report: its frame, heading, frame, six
        // rows and frame.
        {kResultsBlock.first,
         {calculator::testing::SampleReportLines3To31().begin() + 17,
          calculator::testing::SampleReportLines3To31().begin() + 27}},
        {85, {std::string(15, ' ') + std::string(63, '*')}},
    };
    for (const auto& [first, expected] : sections) {
        SCOPED_TRACE("from line " + std::to_string(first));
        EXPECT_EQ(LinesFrom(first, expected.size()), expected);
    }
}

// Fleiss (1971): 30 cases, each put into one of 5 categories by 6 raters.
TEST(HelpText, SampleLinesHoldTheFleissTable) {
    using Case = std::array<int, 5>;
    std::vector<Case> expected;
    for (const auto& row : calculator::testing::FleissSample()) {
        Case counts{};
        for (std::size_t j = 0; j < counts.size(); ++j)
            counts[j] = static_cast<int>(row[j]);
        expected.push_back(counts);
    }
    ASSERT_EQ(expected.size(), 30u);
    Case totals{};
    for (const Case& row : expected)
        for (std::size_t j = 0; j < row.size(); ++j)
            totals[j] += row[j];
    ASSERT_EQ(totals, (Case{26, 26, 30, 55, 43})) << "the published category totals";

    std::vector<Case> actual;
    for (const std::string& line : LinesFrom(kSampleLines.first, expected.size())) {
        Case row{};
        for (std::size_t j = 0; j < row.size() && 2 * j < line.size(); ++j)
            row[j] = line[2 * j] - '0';
        actual.push_back(row);
    }
    EXPECT_EQ(actual, expected);
}

// The columns in which each line's runs of non-blank characters start and end, counted from 1.
std::vector<std::pair<std::size_t, std::size_t>> NonBlankRuns(const std::string& line) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ')
            continue;
        const std::size_t start = i;
        while (i + 1 < line.size() && line[i + 1] != ' ')
            ++i;
        runs.emplace_back(start + 1, i + 1);
    }
    return runs;
}

// In a fixed-pitch font the heading's words and the right-aligned values stand in fixed columns.
TEST(HelpText, ResultsBlockLinesUpInItsColumns) {
    const std::vector<std::string> block = LinesFrom(kResultsBlock.first, kResultsBlock.count);
    for (std::size_t frame : {0u, 2u, 9u})
        EXPECT_EQ(block[frame], std::string(60, '+'));

    using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(block[1].size(), 57u);
    EXPECT_EQ(NonBlankRuns(block[1]), (Runs{{13, 21}, {25, 29}, {33, 42}, {48, 48}, {57, 57}}));
    for (std::size_t row = 3; row < 9; ++row) {
        const std::string& line = block[row];
        SCOPED_TRACE(line);
        EXPECT_EQ(line.size(), 59u);
        const Runs runs = NonBlankRuns(line);
        ASSERT_EQ(runs.size(), 6u);
        EXPECT_EQ(runs[0].first, 1u);
        const std::size_t valueEnds[] = {19, 29, 39, 50, 59};
        for (std::size_t value = 0; value < 5; ++value)
            EXPECT_EQ(runs[value + 1].second, valueEnds[value]);
    }
}

// Reference entries and the citation hang from the margin with continuation lines five blanks
// in; the rights notice names the authors as the report's closing notice does.
TEST(HelpText, ReferencesAndNoticesKeepTheirFormAndFacts) {
    struct Case {
        std::size_t line;
        std::size_t indent;
        const char* holds;
    };
    const Case table[] = {
        {14, 0, "Algorithms for fast and precise computation of the normal"},
        {15, 5, "integral (1989). Behavior Research Methods, Instruments,"},
        {16, 5, "& Computers, 21, 447-454."},
        {17, 0, "Cohen, J. (1960). A coefficient of agreement for nominal"},
        {18, 5, "scales. Educational and Psychological Measurement,"},
        {19, 5, "20, 37-46."},
        {20, 0, "Fleiss, J. L. (1971). Measuring nominal scale agreement among"},
        {21, 5, "many raters. Psychological Bulletin, 76, 378-382."},
        {22, 0, "Light, R. J. (1971). Measures of response agreement for"},
        {23, 5, "qualitative data: Some generalizations and alternatives."},
        {24, 5, "Psychological Bulletin, 76, 365-377."},
        {82, 0, "cite"},
        {83, 5,
         "the Quorvane authors (2020). Quorvane [Computer software]. Quorvane Town: The "
         "Quorvane Project."},
        {86, 0, "Copyright (C) 2002-2020 the Quorvane authors"},
        {88, 0, "warranty"},
    };
    const std::vector<std::string> lines = HelpLines();
    ASSERT_EQ(lines.size(), kLineCount);
    for (const Case& c : table) {
        const std::string& line = lines[c.line - 1];
        SCOPED_TRACE("line " + std::to_string(c.line) + ": " + line);
        EXPECT_EQ(line.find_first_not_of(' '), c.indent);
        EXPECT_NE(line.find(c.holds), std::string::npos);
    }
}

} // namespace
