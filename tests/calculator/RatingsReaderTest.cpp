#include "calculator/RatingsReader.h"

#include "CalculatorTestSupport.h"
#include "TemporaryFiles.h"
#include "calculator/Totals.h"
#include "platform/core/FolderItem.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace calculator;
using namespace calculator::testing;
using platform::testing::MemoryTextStream;
using platform::testing::TemporaryFile;

namespace {

using Rows = std::vector<std::vector<double>>;

void ExpectRows(const RatingMatrix& matrix, const Rows& rows, std::int64_t k) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::int64_t j = 1; j <= 25; ++j) {
            const double expected =
                j <= k && static_cast<std::size_t>(j) <= rows[i].size() ? rows[i][j - 1] : 0.0;
            EXPECT_EQ(matrix.cell(static_cast<std::int64_t>(i + 1), j), expected)
                << "case " << i + 1 << ", category " << j;
        }
}

} // namespace

TEST(ReadRatings, FieldsAndLines) {
    struct Case {
        const char* name;
        std::string text;
        std::int64_t k;
        Rows rows; // the rows after these stay 0
        int linesRead;
    };
    const Case cases[] = {
        {"tabs and CR", "1\t2\t3\r4\t5\t6\r", 3, {{1, 2, 3}, {4, 5, 6}, {0, 0, 0}}, 2},
        {"last line without its end", "1\t2\r4\t5", 2, {{1, 2}, {4, 5}, {0, 0}}, 2},
        {"LF and CRLF", "1\t2\n3\t4\r\n5\t6", 2, {{1, 2}, {3, 4}, {5, 6}}, 3},
        {"fewer lines than cases", "1\t2\r", 2, {{1, 2}, {0, 0}, {0, 0}}, 1},
        {"more fields than categories", "1\t2\t3\t4\r", 2, {{1, 2}, {0, 0}}, 1},
        {"fewer fields than categories", "1\t2\r", 4, {{1, 2, 0, 0}}, 1},
        {"a leading tab", "\t3\t4\r", 3, {{0, 3, 4}}, 1},
        {"two tabs in a row", "1\t\t2\r", 3, {{1, 0, 2}}, 1},
        {"blanks instead of tabs", "1 2 3\r", 3, {{1, 0, 0}}, 1},
        {"an empty line in the middle", "1\t1\r\r2\t2\r", 2, {{1, 1}, {0, 0}, {2, 2}}, 3},
        {"an empty file", "", 2, {{0, 0}, {0, 0}}, 1},
        {"fields holding no number", "x\t2\t-\r", 3, {{0, 2, 0}}, 1},
        {"signs, fractions, blanks", " 2.5\t-1\t+3\r", 3, {{2.5, -1, 3}}, 1},
        {"twenty-five categories",
         "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20\t21\t22\t23\t24\t25"
         "\t26",
         25,
         {{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
           14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryTextStream stream(c.text);
        RatingMatrix matrix;
        ReadRatings(stream, c.k, matrix);
        ExpectRows(matrix, c.rows, c.k);
        EXPECT_EQ(stream.linesRead(), c.linesRead);
        EXPECT_TRUE(stream.closed);
        for (std::int64_t i = 0; i < RatingMatrix::kRows; ++i) {
            EXPECT_EQ(matrix.cell(i, 0), 0.0);
            EXPECT_EQ(matrix.cell(i, 26), 0.0);
        }
    }
}

// The matrix has rows for cases 1 to 999: the reading stops after line 999, whatever follows,
// or after the last line that the caller asks for.
TEST(ReadRatings, StopsAfterTheLastLine) {
    struct Case {
        int linesInFile;
        std::int64_t lastLine; // 0: the default
        int linesRead;
    };
    const Case cases[] = {{1005, 0, 999}, {999, 0, 999}, {998, 0, 998}, {5, 3, 3},
                          {3, 3, 3},      {2, 3, 2},     {4, 1, 1},     {1000, 999, 999}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.linesInFile) + " lines, last " + std::to_string(c.lastLine));
        std::string text;
        for (int line = 1; line <= c.linesInFile; ++line)
            text += std::to_string(line) + "\t1\r";
        MemoryTextStream stream(text);
        auto matrix = std::make_unique<RatingMatrix>();
        if (c.lastLine == 0)
            ReadRatings(stream, 2, *matrix);
        else
            ReadRatings(stream, 2, *matrix, c.lastLine);
        EXPECT_EQ(stream.linesRead(), c.linesRead);
        EXPECT_TRUE(stream.closed);
        EXPECT_EQ(matrix->cell(1, 1), 1);
        EXPECT_EQ(matrix->cell(c.linesRead, 1), c.linesRead);
        EXPECT_EQ(matrix->cell(c.linesRead, 2), 1);
        if (c.linesRead < RatingMatrix::kLastCase) {
            EXPECT_EQ(matrix->cell(c.linesRead + 1, 1), 0);
        }
        EXPECT_EQ(matrix->cell(0, 1), 0);
    }
}

TEST(ReadRatings, RefusesCategoriesOrLastLineOutOfRange) {
    MemoryTextStream stream("1\t2");
    RatingMatrix matrix;
    EXPECT_THROW(ReadRatings(stream, 26, matrix), std::invalid_argument);
    EXPECT_THROW(ReadRatings(stream, 1, matrix), std::invalid_argument);
    EXPECT_THROW(ReadRatings(stream, 2, matrix, 0), std::invalid_argument);
    EXPECT_THROW(ReadRatings(stream, 2, matrix, 1000), std::invalid_argument);
    EXPECT_EQ(stream.linesRead(), 0);
}

TEST(ReadRatings, TheSampleFileWithEachLineEnd) {
    const Rows& sample = FleissSample();
    std::vector<std::string> paths = {std::string(QUORVANE_TEST_DATA) + "/fleiss1971.txt"};
    std::vector<std::unique_ptr<TemporaryFile>> files;
    for (const char* lineEnd : {"\r", "\n", "\r\n"}) {
        files.push_back(std::make_unique<TemporaryFile>(SampleText(lineEnd)));
        paths.push_back(files.back()->path());
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        auto stream = platform::FolderItem(path).OpenAsTextFile();
        ASSERT_NE(stream, nullptr);
        RatingMatrix matrix;
        ReadRatings(*stream, 5, matrix);
        ExpectRows(matrix, sample, 5);
        for (std::int64_t j = 1; j <= 25; ++j)
            EXPECT_EQ(matrix.cell(31, j), 0.0);
    }
}

TEST(ComputeTotals, CasesThenCategories) {
    RatingMatrix matrix;
    Fill(matrix, FleissSample());
    matrix.cell(31, 1) = 7; // past N: read from a longer file, never totalled
    ComputeTotals(matrix, kSampleCounts);
    for (std::int64_t i = 1; i <= 30; ++i)
        EXPECT_EQ(matrix.caseTotal(i), 6.0) << i;
    EXPECT_EQ(matrix.caseTotal(31), 0.0);
    const double categoryTotals[] = {26, 26, 30, 55, 43};
    for (std::int64_t j = 1; j <= 5; ++j)
        EXPECT_EQ(matrix.categoryTotal(j), categoryTotals[j - 1]) << j;
    EXPECT_EQ(matrix.categoryTotal(6), 0.0);
    // The category totals of column 26 do not disturb the counts of the cases in those rows.
    EXPECT_EQ(matrix.cell(4, 4), 0.0);
    EXPECT_EQ(matrix.cell(1, 4), 6.0);
}

// Each addition is truncated toward zero at once, so fractions are lost one by one.
TEST(ComputeTotals, TruncatesAfterEveryAddition) {
    struct Case {
        std::vector<double> counts;
        double total;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {{2.5, 3.5}, 5},
        {{3.5, 2.5}, 5},
        {{0.5, 0.5, 0.5}, 0},
        {{-2.5, 0.5}, -1},
        {{1e300, 1}, 9223372036854775807.0},
        {{-inf, 1}, -9223372036854775808.0},
        {{std::numeric_limits<double>::quiet_NaN(), 2}, 2},
    };
    for (const Case& c : cases) {
        RatingMatrix matrix;
        for (std::size_t j = 0; j < c.counts.size(); ++j) {
            matrix.cell(1, static_cast<std::int64_t>(j + 1)) = c.counts[j];
            matrix.cell(2, static_cast<std::int64_t>(j + 1)) = c.counts[j];
        }
        ComputeTotals(matrix, {6, 2, static_cast<std::int64_t>(c.counts.size())});
        EXPECT_EQ(matrix.caseTotal(1), c.total) << c.counts[0];
    }
    RatingMatrix matrix;
    matrix.cell(1, 1) = 2.5;
    matrix.cell(2, 1) = 3.5;
    ComputeTotals(matrix, {6, 2, 2});
    EXPECT_EQ(matrix.categoryTotal(1), 5.0);
}
