#include "calculator/Report.h"

#include "CalculatorTestSupport.h"
#include "calculator/AgreementReport.h"
#include "calculator/RatingsReader.h"
#include "calculator/Totals.h"
#include "platform/core/Date.h"
#include "platform/core/String.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace calculator;
using namespace calculator::testing;
using platform::String;
using platform::testing::MemoryTextStream;

namespace {

using Rows = std::vector<std::vector<double>>;

// One whole report, as the Get Data action writes it after reading the file.
TextReportSink Report(const std::string& file, Counts counts) {
    auto matrix = std::make_unique<RatingMatrix>();
    auto arrays = std::make_unique<CategoryArrays>();
    MemoryTextStream stream(file);
    ReadRatings(stream, counts.k, *matrix);
    TextReportSink sink;
    WriteAgreementReport(*matrix, *arrays, counts, platform::Date(2026, 12, 10, 9, 38, 4), sink);
    return sink;
}

// Everything of one report but its date line and the empty line after it.
std::string ReportAfterDateLine(const std::string& file, Counts counts) {
    const std::string text = Report(file, counts).text.str();
    return text.substr(text.find("\r\r") + 2);
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r";
    return text;
}

// The data echo of N cases of k = 2 with n = 2, where the flagged cases add up to 1 instead.
std::string Echo(std::int64_t N, const std::vector<std::int64_t>& flagged) {
    RatingMatrix matrix;
    for (std::int64_t i = 1; i <= N; ++i)
        matrix.cell(i, 1) = 2;
    for (const std::int64_t i : flagged)
        matrix.cell(i, 1) = 1;
    const Counts counts{2, N, 2};
    ComputeTotals(matrix, counts);
    std::string text;
    ForEachDataEchoPiece(matrix, counts, [&](const String& piece) { text += piece.str(); });
    return text;
}

const std::string kCase = "   2   0";
const std::string kFlagged = "   1   0 ***warning: 1 raters";
const std::string kMark = "  ::::::::::";

} // namespace

TEST(AgreementReport, TheSampleReport) {
    const std::string expected = Lines(SampleReportLines3To31());
    EXPECT_EQ(ReportAfterDateLine(SampleText("\r"), kSampleCounts), expected);
}

// The date line, the header, the echo, the warnings and the two empty lines are appended as
// old text plus piece; the table head, the rows and the foot are inserted at the end.
TEST(AgreementReport, WhichPiecesAreAppendedAndWhichInserted) {
    // Category 6 is empty: one warning.
    const TextReportSink report = Report(SampleText("\r", 1), kSampleWithEmptySixthCategoryCounts);
    const auto& pieces = report.pieces;
    // Date line, header, 10 echo lines, 2 omission marks, 1 warning, two empty lines.
    const std::size_t appended = 2 + 10 + 2 + 1 + 1;
    ASSERT_EQ(pieces.size(), appended + 1 + 1 + 6 + 1);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        EXPECT_EQ(pieces[i].inserted, i >= appended) << "piece " << i;
    EXPECT_EQ(pieces[0].text, DateLinePiece(platform::Date(2026, 12, 10, 9, 38, 4).ShortDate(),
                                            platform::Date(2026, 12, 10, 9, 38, 4).LongTime()));
    EXPECT_EQ(pieces[appended - 2].text, EmptyCategoryWarningPiece(6));
    EXPECT_EQ(pieces[appended].text, TableHeadPiece());
    EXPECT_EQ(pieces.back().text, TableFootPiece());
}

// Nobody chose category 6: a warning, and the row of a category without ratings, whose
// standard error of 100000 is too long for its cell and keeps every digit after one blank.
TEST(AgreementReport, AnEmptyCategory) {
    const std::string report =
        ReportAfterDateLine(SampleText("\r", 1), kSampleWithEmptySixthCategoryCounts);
    EXPECT_NE(report.find(Lines({"   0   0   0   0   6   0", "",
                                 "****warning:Category #6 has no "
                                 "ratings",
                                 "", "", std::string(60, '+')})),
              std::string::npos);
    EXPECT_NE(report.find(Lines({"Category5     .6698    +.5661     .1275      +4.44    .0000",
                                 kEmptySixthCategoryRow, std::string(60, '+')})),
              std::string::npos);
}

TEST(AgreementReport, DataEchoSelection) {
    struct Case {
        const char* name;
        std::int64_t N;
        std::vector<std::int64_t> flagged;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"ten cases, all echoed", 10, {}, std::vector<std::string>(10, kCase)},
        {"eleven cases, one mark",
         11,
         {},
         {kCase, kCase, kCase, kCase, kCase, kMark, kCase, kCase, kCase, kCase, kCase}},
        {"case 15 of 30 flagged",
         30,
         {15},
         {kCase, kCase, kCase, kCase, kCase, kMark, kMark, kFlagged, kCase, kCase, kCase, kCase,
          kCase}},
        {"a flagged case among the marks",
         30,
         {2, 7, 26},
         {kCase, kFlagged, kCase, kCase, kCase, kMark, kFlagged, kMark, kFlagged, kCase, kCase,
          kCase, kCase}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Echo(c.N, c.flagged), Lines(c.lines));
    }
}

TEST(AgreementReport, EchoLines) {
    RatingMatrix matrix;
    const Rows rows = {{1, 2, 0}, {1234, 12345, -1}, {1, 1, 2}, {0.25, 2.5, 1.25}};
    Fill(matrix, rows);
    const Counts counts{4, 5, 3};
    ComputeTotals(matrix, counts);
    EXPECT_EQ(EchoLine(matrix, counts, 1), String("   1   2   0 ***warning: 3 raters\r"));
    // Counts of four characters or more keep every one, each after one blank.
    EXPECT_EQ(EchoLine(matrix, counts, 2), String(" 1234 12345  -1 ***warning: 13578 raters\r"));
    EXPECT_EQ(EchoLine(matrix, counts, 3), String("   1   1   2\r"));
    // Fractional counts; their total is a whole number, 3.
    EXPECT_EQ(EchoLine(matrix, counts, 4), String(" 0.25 2.5 1.25 ***warning: 3 raters\r"));
    // Case 5, which the file did not reach.
    EXPECT_EQ(EchoLine(matrix, counts, 5), String("   0   0   0 ***warning: 0 raters\r"));
}

// A text shorter than its cell is right-aligned in it; a text that fills the cell or is longer
// keeps every character after one blank, so that it never touches the cell before it.
TEST(AgreementReport, CellsAlignRightAndKeepEveryCharacter) {
    struct Case {
        const char* text;
        std::int64_t width;
        const char* cell;
    };
    const Case cases[] = {
        // Fits.
        {"6", 4, "   6"},
        {"-1", 4, "  -1"},
        {"123", 4, " 123"},
        {"", 4, "    "},
        {".0275", 10, "     .0275"},
        {"+15.64", 11, "     +15.64"},
        {"x", 25, "                        x"},
        // Exactly fills.
        {"1234", 4, " 1234"},
        {"10000.0000", 10, " 10000.0000"},
        {"+1234567.00", 11, " +1234567.00"},
        {"1234567890123456789012345", 25, " 1234567890123456789012345"},
        // Overflows.
        {"12345", 4, " 12345"},
        {"100000.0000", 10, " 100000.0000"},
        {"123456789012345678901234567", 25, " 123456789012345678901234567"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportCell(c.text, c.width), String(c.cell))
            << c.text << " in " << c.width << " characters";
}

// A row grows by exactly what its long values need; the cells around them stay as they were.
TEST(AgreementReport, ARowWithAValueTooLongForItsCellGrowsByThatMuch) {
    struct Case {
        const char* name;
        String row;
        const char* expected;
    };
    const Case cases[] = {
        {"a standard error that fills its cell",
         CategoryRowPiece(1, 0.35375, 0.2448, 10000, 2.15, 0.0316),
         "Category1     .3538    +.2448 10000.0000      +2.15    .0316"},
        {"a standard error past its cell, category 10",
         CategoryRowPiece(10, 0.35375, 0.2448, 100000, 2.15, 0.0316),
         "Category10    .3538    +.2448 100000.0000      +2.15    .0316"},
        {"a kappa and a z past their cells",
         OverallRowPiece(0.5556, -12345.5, 0.0275, 12345678.0, 0.0001),
         "Overall       .5556 -12345.5000     .0275 +12345678.00    .0001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.row, String(std::string(c.expected) + "\r")) << c.name;
}

TEST(AgreementReport, RowsAreFiftyNineCharactersForEveryCategory) {
    EXPECT_EQ(CategoryRowPiece(10, 0.35375, 0.2448, 0.1139, 2.15, 0.0316),
              String("Category10    .3538    +.2448     .1139      +2.15    .0316\r"));
    EXPECT_EQ(CategoryRowPiece(1, 0.35375, 0.2448, 0.1139, 2.15, 0.0316),
              String("Category1     .3538    +.2448     .1139      +2.15    .0316\r"));
    EXPECT_EQ(OverallRowPiece(-0.5, -0.25, 0.0001, -3.5, 0.0005),
              String("Overall      -.5000    -.2500     .0001      -3.50    .0005\r"));
}

TEST(AgreementReport, FixedPieces) {
    const std::string frame(60, '+');
    EXPECT_EQ(DateLinePiece("10/12/2026", "09:38:04"), String("10/12/2026  09:38:04\r\r"));
    EXPECT_EQ(DataHeaderPiece(), String("**********\r   Data\r**********\r"));
    EXPECT_EQ(OmissionMarkPiece(), String("  ::::::::::\r"));
    EXPECT_EQ(EmptyCategoryWarningPiece(2), String("\r****warning:Category #2 has no ratings\r"));
    EXPECT_EQ(TwoEmptyLinesPiece(), String("\r\r"));
    EXPECT_EQ(
        TableHeadPiece(),
        String(Lines({frame, "            Agreement   Kappa   StandError     z        p", frame})));
    EXPECT_EQ(TableFootPiece(),
              String(Lines({frame, "",
                            "Quorvane 2.0 -- Copyright (C) 2002-2020 the Quorvane "
                            "authors"})));
}
