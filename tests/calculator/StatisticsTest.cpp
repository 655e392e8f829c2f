#include "calculator/Statistics.h"

#include "CalculatorTestSupport.h"
#include "calculator/AgreementReport.h"
#include "calculator/Report.h"
#include "platform/core/Date.h"
#include "platform/core/String.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <random>
#include <vector>

using namespace calculator;
using namespace calculator::testing;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Rows = std::vector<std::vector<double>>;

// One analysis as the Get Data action runs it: the arrays and every p are the report's own.
// The report keeps the overall values only in its text, so they are taken again from the same
// pure function; its z must be the one the report turned into the overall p.
struct Analysis {
    std::unique_ptr<RatingMatrix> matrix = std::make_unique<RatingMatrix>();
    std::unique_ptr<CategoryArrays> arrays = std::make_unique<CategoryArrays>();
    OverallStatistics overall{};
    double overallP = 0;
};

Analysis Analyse(const Rows& rows, Counts counts) {
    Analysis analysis;
    Fill(*analysis.matrix, rows);
    TextReportSink report;
    WriteAgreementReport(*analysis.matrix, *analysis.arrays, counts,
                         platform::Date(2026, 12, 10, 12, 0, 0), report);
    CategoryArrays again;
    analysis.overall = ComputeOverallStatistics(*analysis.matrix, counts, again);
    EXPECT_EQ(report.probabilities.size(), static_cast<std::size_t>(counts.k) + 1);
    EXPECT_TRUE(SameBits(report.probabilities.front().z, analysis.overall.z));
    analysis.overallP = report.probabilities.front().p;
    return analysis;
}

Rows Repeat(std::vector<double> row, int times) {
    return Rows(static_cast<std::size_t>(times), row);
}

Rows SampleWith(const std::function<void(Rows&)>& change) {
    Rows rows = FleissSample();
    change(rows);
    return rows;
}

#define EXPECT_SAME_BITS(actual, expected) EXPECT_PRED2(SameBits, actual, expected)

} // namespace

// The worked example of Fleiss (1971), as the help text gives it with its results.
TEST(FleissWorkedExample, IntermediateValuesAreExact) {
    const Analysis a = Analyse(FleissSample(), kSampleCounts);
    const detail::CellSums sums = detail::SumCellsInOrder(*a.matrix, kSampleCounts);
    EXPECT_SAME_BITS(sums.sumOfSquares, 680.0);
    EXPECT_SAME_BITS(sums.total, 180.0);
    EXPECT_SAME_BITS(a.overall.agreement, (1.0 / 900) * 500);

    const double categorySums[] = {26, 26, 30, 55, 43};
    const double sumsOfSquares[] = {72, 72, 120, 229, 187};
    for (int j = 1; j <= 5; ++j) {
        SCOPED_TRACE(j);
        EXPECT_SAME_BITS(a.arrays->categorySums[j], categorySums[j - 1]);
        EXPECT_SAME_BITS(a.arrays->categorySumsOfSquares[j], sumsOfSquares[j - 1]);
        const double pj = categorySums[j - 1] / 180;
        EXPECT_SAME_BITS(a.arrays->proportions[j], pj);
        EXPECT_SAME_BITS(a.arrays->squaredProportions[j], pj * pj);
        EXPECT_SAME_BITS(a.arrays->cubedProportions[j], pj * (pj * pj));
    }
    // P_3 = (120 - 30) / (900 / 6) = 3/5 and kappa_3 = (3/5 - 1/6) / (5/6) = 13/25, in the
    // order of the formulae.
    const double p3 = 30.0 / 180;
    const double agreement3 = (120 - p3 * 180) / (p3 * 900);
    EXPECT_SAME_BITS(a.arrays->agreements[3], agreement3);
    EXPECT_DOUBLE_EQ(a.arrays->agreements[3], 0.6);
    EXPECT_SAME_BITS(a.arrays->kappas[3], (agreement3 - p3) / (1 - p3));
    EXPECT_DOUBLE_EQ(a.arrays->kappas[3], 13.0 / 25);
    EXPECT_SAME_BITS(a.overallP, 0.0);
    EXPECT_LT(a.arrays->pValues[5], 1e-4);
}

TEST(FleissWorkedExample, ResultsTableRowsMatchTheHelpText) {
    const Analysis a = Analyse(FleissSample(), kSampleCounts);
    EXPECT_EQ(OverallRowPiece(a.overall.agreement, a.overall.kappa, a.overall.standardError,
                              a.overall.z, a.overallP),
              platform::String("Overall       .5556    +.4302     .0275     +15.64    .0000\r"));
    const char* const rows[] = {
        "Category1     .3538    +.2448     .1139      +2.15    .0316\r",
        "Category2     .3538    +.2448     .1139      +2.15    .0316\r",
        "Category3     .6000    +.5200     .1166      +4.46    .0000\r",
        "Category4     .6327    +.4711     .1395      +3.38    .0007\r",
        "Category5     .6698    +.5661     .1275      +4.44    .0000\r",
    };
    const CategoryArrays& c = *a.arrays;
    for (int j = 1; j <= 5; ++j)
        EXPECT_EQ(CategoryRowPiece(j, c.agreements[j], c.kappas[j], c.standardErrors[j],
                                   c.zValues[j], c.pValues[j]),
                  platform::String(rows[j - 1]));
}

namespace {

struct OverallCase {
    const char* name;
    Counts counts;
    Rows rows;
    double agreement;
    double kappa;
    double standardError;
    double z;
    bool agreementOnly = false;
};

struct CategoryCase {
    const char* name;
    Counts counts;
    Rows rows;
    std::int64_t j;
    double agreement;
    double kappa;
    double variance;
    double standardError;
    double z;
    double p;
};

} // namespace

// Each expected value is either exact or written in the order in which the formulae form it.
TEST(AgreementStatisticsEdges, OverallValues) {
    const double se4 = std::sqrt(1.0 / 24);
    const OverallCase cases[] = {
        {"every rater agrees, exactly 1",
         {4, 4, 2},
         {{4, 0}, {0, 4}, {4, 0}, {0, 4}},
         1.0,
         1.0,
         se4,
         1 / se4},
        {"the reciprocal of D first: 1 - 2^-53",
         {2, 49, 2},
         Repeat({2, 0}, 49),
         1 - 0x1p-53,
         -kInf,
         kNaN,
         kNaN},
        {"Pe = 1 with full agreement", {3, 3, 2}, Repeat({3, 0}, 3), 1.0, kNaN, kNaN, kNaN},
        {"Pe = 1, last case 2 0",
         {3, 3, 2},
         {{3, 0}, {3, 0}, {2, 0}},
         (1.0 / 18) * 13,
         -kInf,
         kNaN,
         kNaN},
        {"every cell zero",
         {3, 4, 3},
         Repeat({0, 0, 0}, 4),
         (1.0 / 24) * (0.0 - 12),
         kNaN,
         kNaN,
         kNaN},
        {"case 1 read as 0 0 0 5 0",
         {6, 30, 5},
         SampleWith([](Rows& r) { r[0][3] = 5; }),
         (1.0 / 900) * (669.0 - 180),
         0,
         0,
         0,
         true},
        {"31 cases from 30 lines",
         {6, 31, 5},
         FleissSample(),
         (1.0 / 930) * (680.0 - 186),
         0,
         0,
         0,
         true},
    };
    for (const OverallCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis a = Analyse(c.rows, c.counts);
        EXPECT_SAME_BITS(a.overall.agreement, c.agreement);
        if (c.agreementOnly)
            continue;
        EXPECT_SAME_BITS(a.overall.kappa, c.kappa);
        EXPECT_SAME_BITS(a.overall.standardError, c.standardError);
        EXPECT_SAME_BITS(a.overall.z, c.z);
        EXPECT_SAME_BITS(a.overallP, TwoSidedNormalP(c.z));
    }
    // The round figure that the zero matrix's agreement stands for.
    EXPECT_DOUBLE_EQ(Analyse(Repeat({0, 0, 0}, 4), {3, 4, 3}).overall.agreement, -0.5);
}

TEST(AgreementStatisticsEdges, CategoryValues) {
    const Rows emptySixth = SampleWith([](Rows& rows) {
        for (auto& row : rows)
            row.push_back(0);
    });
    const double var35 = 17.5 / 36;
    const double varFull = 25 / 1e-10;
    const double kappaFull = ((1.0 / 18) * 13 - 1) / 1e-10;
    const CategoryCase cases[] = {
        {"a category nobody chose", {6, 30, 6}, emptySixth, 6, 0, 0, 1e10, 1e5, 0, 0.9999},
        {"every rater agrees, category 1",
         {4, 4, 2},
         {{4, 0}, {0, 4}, {4, 0}, {0, 4}},
         1,
         1,
         1,
         var35,
         std::sqrt(var35),
         1 / std::sqrt(var35),
         TwoSidedNormalP(1 / std::sqrt(var35))},
        {"every rater agrees, category 2",
         {4, 4, 2},
         {{4, 0}, {0, 4}, {4, 0}, {0, 4}},
         2,
         1,
         1,
         var35,
         std::sqrt(var35),
         1 / std::sqrt(var35),
         TwoSidedNormalP(1 / std::sqrt(var35))},
        {"p_1 = 1: kappa and variance guarded",
         {3, 3, 2},
         Repeat({3, 0}, 3),
         1,
         1,
         0,
         varFull,
         std::sqrt(varFull),
         0,
         0.9999},
        {"p_2 = 0 beside p_1 = 1", {3, 3, 2}, Repeat({3, 0}, 3), 2, 0, 0, 1e10, 1e5, 0, 0.9999},
        {"p_1 = 1, last case 2 0",
         {3, 3, 2},
         {{3, 0}, {3, 0}, {2, 0}},
         1,
         13.0 / 18,
         kappaFull,
         varFull,
         std::sqrt(varFull),
         kappaFull / std::sqrt(varFull),
         0},
        {"every cell zero", {3, 4, 3}, Repeat({0, 0, 0}, 4), 2, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN},
    };
    for (const CategoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis a = Analyse(c.rows, c.counts);
        const CategoryArrays& arrays = *a.arrays;
        EXPECT_SAME_BITS(arrays.agreements[c.j], c.agreement);
        EXPECT_SAME_BITS(arrays.kappas[c.j], c.kappa);
        EXPECT_SAME_BITS(arrays.variances[c.j], c.variance);
        EXPECT_SAME_BITS(arrays.standardErrors[c.j], c.standardError);
        EXPECT_SAME_BITS(arrays.zValues[c.j], c.z);
        EXPECT_SAME_BITS(arrays.pValues[c.j], c.p);
    }
    // The round figures that these stand for, in the code's results.
    const Analysis agreeing = Analyse({{4, 0}, {0, 4}, {4, 0}, {0, 4}}, {4, 4, 2});
    EXPECT_DOUBLE_EQ(agreeing.arrays->variances[1], 35.0 / 72);
    const Analysis full = Analyse({{3, 0}, {3, 0}, {2, 0}}, {3, 3, 2});
    EXPECT_DOUBLE_EQ(full.arrays->variances[1], 2.5e11);
    EXPECT_DOUBLE_EQ(full.arrays->standardErrors[1], 5e5);
    EXPECT_DOUBLE_EQ(full.arrays->kappas[1], -(5.0 / 18) * 1e10);
}

TEST(AgreementStatisticsEdges, AnEmptyCategoryLeavesTheOverallValuesAlone) {
    Rows sixColumns = FleissSample();
    for (auto& row : sixColumns)
        row.push_back(0);
    const Analysis five = Analyse(FleissSample(), kSampleCounts);
    const Analysis six = Analyse(sixColumns, {6, 30, 6});
    EXPECT_SAME_BITS(six.overall.agreement, five.overall.agreement);
    EXPECT_SAME_BITS(six.overall.kappa, five.overall.kappa);
    EXPECT_SAME_BITS(six.overall.standardError, five.overall.standardError);
    EXPECT_SAME_BITS(six.overall.z, five.overall.z);
}

TEST(AgreementStatisticsEdges, CaseTotalsThatDifferDivideByTheGrandTotal) {
    const Analysis a = Analyse(SampleWith([](Rows& r) { r[0][3] = 5; }), kSampleCounts);
    const double categorySums[] = {26, 26, 30, 54, 43};
    for (int j = 1; j <= 5; ++j)
        EXPECT_SAME_BITS(a.arrays->proportions[j], categorySums[j - 1] / 179);
}

TEST(AgreementStatisticsEdges, AMissingCaseChangesOnlyTheTermsInN) {
    const Analysis thirty = Analyse(FleissSample(), kSampleCounts);
    const Analysis thirtyOne = Analyse(FleissSample(), {6, 31, 5});
    for (int j = 1; j <= 5; ++j)
        EXPECT_SAME_BITS(thirtyOne.arrays->proportions[j], thirty.arrays->proportions[j]);
}

// Only cells (i, j) with 1 <= i <= N and 1 <= j <= k count: not row 0, not the totals of
// columns 0 and 26, not the rows after N, not the columns after k.
TEST(AgreementStatistics, ReadsOnlyTheCellsOfTheCasesAndCategories) {
    const Analysis clean = Analyse(FleissSample(), kSampleCounts);
    for (const double noise : {1e300, kNaN, 0.5}) {
        Analysis noisy;
        Fill(*noisy.matrix, FleissSample());
        for (std::int64_t j = 0; j <= 26; ++j) {
            noisy.matrix->cell(0, j) = noise;
            noisy.matrix->cell(31, j) = noise;
            noisy.matrix->cell(999, j) = noise;
        }
        for (std::int64_t i = 1; i <= 30; ++i) {
            noisy.matrix->cell(i, 0) = noise;
            noisy.matrix->cell(i, 6) = noise;
            noisy.matrix->cell(i, 26) = noise;
        }
        noisy.overall = ComputeOverallStatistics(*noisy.matrix, kSampleCounts, *noisy.arrays);
        EXPECT_SAME_BITS(noisy.overall.agreement, clean.overall.agreement);
        EXPECT_SAME_BITS(noisy.overall.kappa, clean.overall.kappa);
        EXPECT_SAME_BITS(noisy.overall.standardError, clean.overall.standardError);
    }
}

TEST(AgreementStatistics, RefusesCountsOutOfRange) {
    RatingMatrix matrix;
    CategoryArrays arrays;
    for (const Counts counts : {Counts{1, 30, 5}, Counts{6, 1000, 5}, Counts{6, 30, 26}}) {
        EXPECT_THROW(ComputeOverallStatistics(matrix, counts, arrays), std::invalid_argument);
        EXPECT_THROW(ComputeCategoryStatistics(counts, arrays), std::invalid_argument);
    }
}

// The sums of small whole numbers are exact, so summing them side by side must give the very
// bits of the sums in the formulae's order.
TEST(AgreementStatistics, SmallWholeCellSumsMatchTheOrderedSumsBitForBit) {
    std::mt19937_64 random(20020);
    struct Range {
        double low;
        double high;
    };
    const Range ranges[] = {{0, 9}, {0, 99}, {-99, 99}, {-524288, 524288}, {524000, 524288}};
    for (const Range range : ranges) {
        for (int round = 0; round < 20; ++round) {
            const Counts counts{2 + static_cast<std::int64_t>(random() % 98),
                                round == 0 ? 999 : 2 + static_cast<std::int64_t>(random() % 998),
                                round == 0 ? 25 : 2 + static_cast<std::int64_t>(random() % 24)};
            std::uniform_int_distribution<std::int64_t> value(
                static_cast<std::int64_t>(range.low), static_cast<std::int64_t>(range.high));
            RatingMatrix matrix;
            for (std::int64_t i = 1; i <= counts.N; ++i)
                for (std::int64_t j = 1; j <= counts.k; ++j) {
                    const std::int64_t v = value(random);
                    matrix.cell(i, j) = v == 0 && random() % 2 ? -0.0 : static_cast<double>(v);
                }
            const auto fast = detail::SumSmallWholeCells(matrix, counts);
            ASSERT_TRUE(fast.has_value());
            const detail::CellSums ordered = detail::SumCellsInOrder(matrix, counts);
            EXPECT_SAME_BITS(fast->sumOfSquares, ordered.sumOfSquares);
            EXPECT_SAME_BITS(fast->total, ordered.total);
            for (std::size_t j = 0; j < 26; ++j) {
                EXPECT_SAME_BITS(fast->categorySums[j], ordered.categorySums[j]);
                EXPECT_SAME_BITS(fast->categorySumsOfSquares[j], ordered.categorySumsOfSquares[j]);
            }
        }
    }
    // The largest case: every square 2^38, the sum 999 * 25 * 2^38, still below 2^53.
    RatingMatrix largest;
    for (std::int64_t i = 1; i <= 999; ++i)
        for (std::int64_t j = 1; j <= 25; ++j)
            largest.cell(i, j) = (i + j) % 2 ? 524288.0 : -524288.0;
    const auto fast = detail::SumSmallWholeCells(largest, {99, 999, 25});
    ASSERT_TRUE(fast.has_value());
    EXPECT_SAME_BITS(fast->sumOfSquares, 999.0 * 25 * 0x1p38);
    EXPECT_SAME_BITS(fast->sumOfSquares,
                     detail::SumCellsInOrder(largest, {99, 999, 25}).sumOfSquares);

    // Larger counts stay exact as long as the sum of squares stays below 2^53.
    RatingMatrix few;
    Fill(few, {{3e6, -1e6}, {9e7, 7}});
    const auto exact = detail::SumSmallWholeCells(few, {2, 2, 2});
    ASSERT_TRUE(exact.has_value());
    EXPECT_SAME_BITS(exact->sumOfSquares, detail::SumCellsInOrder(few, {2, 2, 2}).sumOfSquares);
    Fill(few, {{94906266.0, 0}, {0, 0}}); // its square is above 2^53
    EXPECT_FALSE(detail::SumSmallWholeCells(few, {2, 2, 2}).has_value());
}

TEST(AgreementStatistics, CellsThatAreNotSmallWholeNumbersTakeTheOrderedSums) {
    for (const double odd : {2.5, -0.1, 1e8, 1e300, kInf, -kInf, kNaN, 0x1p-1074}) {
        SCOPED_TRACE(odd);
        RatingMatrix matrix;
        Fill(matrix, FleissSample());
        matrix.cell(30, 5) = odd;
        EXPECT_FALSE(detail::SumSmallWholeCells(matrix, kSampleCounts).has_value());
    }
}

// The p values are compared bit for bit, so those in the far tail depend on how the C
// library's exp rounds its last bit (8.29 giving exactly 2^-52, for one): they were taken with
// glibc 2.36, the C library of Debian 12.
TEST(TwoSidedNormalP, Table) {
    struct Case {
        double z;
        double p;
    };
    const Case cases[] = {
        {0.0, 0.9999},   {-0.0, 0.9999},   {1e-4, 0.9999}, {-1.2e-4, 0.9999},
        {8.29, 0x1p-52}, {-8.29, 0x1p-52}, {8.3, 0.0},     {-8.3, 0.0},
        {40.0, 0.0},     {kInf, 0.0},      {-kInf, 0.0},   {kNaN, kNaN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.z);
        EXPECT_SAME_BITS(TwoSidedNormalP(c.z), c.p);
    }
}

TEST(TwoSidedNormalP, IsSymmetricAndFallsThroughTheFourthDecimal) {
    for (double z = 1e-5; z < 10; z *= 1.37)
        EXPECT_SAME_BITS(TwoSidedNormalP(-z), TwoSidedNormalP(z)) << z;
    EXPECT_LT(TwoSidedNormalP(2e-4), 0.9999);
    EXPECT_GT(TwoSidedNormalP(4.05), 5e-5);
    EXPECT_LT(TwoSidedNormalP(4.07), 5e-5);
    // A z of 1.96 is the textbook 5 per cent point.
    EXPECT_NEAR(TwoSidedNormalP(1.96), 0.05, 1e-4);
}
