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
    std::string file;
    for (const auto& row : FleissSample()) {
        for (const double count : row)
            file += std::to_string(static_cast<int>(count)) + "\t";
        file += "0\r";
    }
    const Counts counts{6, 30, 6}; // category 6 is empty: one warning
    const TextReportSink report = Report(file, counts);
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
// standard error of 100000 loses its first digit in the cell.
TEST(AgreementReport, AnEmptyCategory) {
    std::string file;
    for (const auto& row : FleissSample()) {
        for (const double count : row)
            file += std::to_string(static_cast<int>(count)) + "\t";
        file += "0\r";
    }
    const std::string report = ReportAfterDateLine(file, {6, 30, 6});
    EXPECT_NE(report.find(Lines({"   0   0   0   0   6   0", "",
                                 "****warning:Category #6 has no "
                                 "ratings",
                                 "", "", std::string(60, '+')})),
              std::string::npos);
    EXPECT_NE(report.find(Lines({"Category5     .6698    +.5661     .1275      +4.44    .0000",
                                 "Category6     .0000    +.000000000.0000       +.00    .9999"})),
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
    const Rows rows = {{1, 2, 0}, {1234, 12345, -1}, {1, 1, 2}};
    Fill(matrix, rows);
    const Counts counts{4, 4, 3};
    ComputeTotals(matrix, counts);
    EXPECT_EQ(EchoLine(matrix, counts, 1), String("   1   2   0 ***warning: 3 raters\r"));
    EXPECT_EQ(EchoLine(matrix, counts, 2), String("12342345  -1 ***warning: 13578 raters\r"));
    EXPECT_EQ(EchoLine(matrix, counts, 3), String("   1   1   2\r"));
    // Case 4, which the file did not reach.
    EXPECT_EQ(EchoLine(matrix, counts, 4), String("   0   0   0 ***warning: 0 raters\r"));
}

TEST(AgreementReport, CellsKeepTheirWidth) {
    struct Case {
        const char* text;
        std::int64_t width;
        const char* cell;
    };
    const Case cases[] = {
        {"6", 4, "   6"},
        {"1234", 4, "1234"},
        {"12345", 4, "2345"},
        {"-1", 4, "  -1"},
        {"", 4, "    "},
        {"100000.0000", 10, "00000.0000"},
        {"+15.64", 11, "     +15.64"},
        {"x", 25, "                        x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportCell(c.text, c.width), String(c.cell)) << c.text;
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
