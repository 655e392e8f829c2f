#include "calculator/Statistics.h"

#include "platform/Math.h"
#include "platform/Yield.h"

#include <stdexcept>

namespace calculator {

namespace {

constexpr double kZeroGuard = 1e-10;

void RequireValid(Counts counts) {
    if (!CountsAreValid(counts))
        throw std::invalid_argument("counts out of range");
}

} // namespace

namespace detail {

CellSums SumCellsInOrder(const RatingMatrix& matrix, Counts counts) {
    CellSums sums;
    double Q = 0;
    double T = 0;
    for (std::int64_t i = 1; i <= counts.N; ++i) {
        const double* row = matrix.row(i);
        for (std::int64_t j = 1; j <= counts.k; ++j) {
            const double x = row[j];
            Q = x * x + Q;
            T = x + T;
        }
        platform::YieldToPlatform();
    }
    sums.sumOfSquares = Q;
    sums.total = T;
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        double nj = 0;
        double Sj = 0;
        for (std::int64_t i = 1; i <= counts.N; ++i) {
            const double x = matrix.cell(i, j);
            nj = x + nj;
            Sj = x * x + Sj;
        }
        sums.categorySums[static_cast<std::size_t>(j)] = nj;
        sums.categorySumsOfSquares[static_cast<std::size_t>(j)] = Sj;
        platform::YieldToPlatform();
    }
    return sums;
}

std::optional<CellSums> SumSmallWholeCells(const RatingMatrix& matrix, Counts counts) {
    constexpr double kLimit = 524288.0; // 2^19
    // Adding and then subtracting 1.5 * 2^52 rounds any number of size below 2^51 to a whole
    // number, so a cell is whole exactly when that leaves it unchanged.
    constexpr double kRounder = 6755399441055744.0;
    // Local arrays, which nothing else can point to, so that the compiler keeps the k sums
    // side by side in vector registers.
    double n[26] = {};
    double S[26] = {};
    for (std::int64_t i = 1; i <= counts.N; ++i) {
        const double* row = matrix.row(i);
        bool whole = true;
        for (std::int64_t j = 1; j <= counts.k; ++j) {
            const double x = row[j];
            whole = whole & (platform::Abs(x) <= kLimit) & ((x + kRounder) - kRounder == x);
            n[j] += x;
            S[j] += x * x;
        }
        if (!whole)
            return std::nullopt;
        platform::YieldToPlatform();
    }
    CellSums sums;
    double Q = 0;
    double T = 0;
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        Q = S[j] + Q;
        T = n[j] + T;
        sums.categorySums[static_cast<std::size_t>(j)] = n[j];
        sums.categorySumsOfSquares[static_cast<std::size_t>(j)] = S[j];
    }
    sums.sumOfSquares = Q;
    sums.total = T;
    return sums;
}

} // namespace detail

OverallStatistics ComputeOverallStatistics(const RatingMatrix& matrix, Counts counts,
                                           CategoryArrays& arrays) {
    RequireValid(counts);
    const std::int64_t n = counts.n;
    const std::int64_t N = counts.N;

    std::optional<detail::CellSums> exact = detail::SumSmallWholeCells(matrix, counts);
    const detail::CellSums sums = exact ? *exact : detail::SumCellsInOrder(matrix, counts);
    const double Q = sums.sumOfSquares;
    const double T = sums.total;

    const double D = static_cast<double>(N * n * (n - 1));
    const double agreement = (1 / D) * (Q - static_cast<double>(N * n));

    double Pe = 0;
    double C = 0;
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        const auto at = static_cast<std::size_t>(j);
        arrays.categorySums[at] = sums.categorySums[at];
        arrays.categorySumsOfSquares[at] = sums.categorySumsOfSquares[at];
        const double pj = arrays.categorySums[at] / T;
        arrays.proportions[at] = pj;
        arrays.squaredProportions[at] = pj * pj;
        arrays.cubedProportions[at] = pj * (pj * pj);
        Pe = arrays.squaredProportions[at] + Pe;
        C = arrays.cubedProportions[at] + C;
        platform::YieldToPlatform();
    }

    const double kappa = (agreement - Pe) / (1 - Pe);
    const double variance = (2 / D) * (((Pe - static_cast<double>(2 * n - 3) * (Pe * Pe)) +
                                        2 * (static_cast<double>(n - 2) * C)) /
                                       ((1 - Pe) * (1 - Pe)));
    const double standardError = platform::Sqrt(variance);
    return OverallStatistics{agreement, kappa, standardError, kappa / standardError};
}

void ComputeCategoryStatistics(Counts counts, CategoryArrays& arrays) {
    RequireValid(counts);
    const std::int64_t n = counts.n;
    const std::int64_t N = counts.N;
    const double Nn = static_cast<double>(N * n);
    const double D = static_cast<double>(N * n * (n - 1));
    const double c = static_cast<double>(2 * (n - 1));
    const double E = static_cast<double>(N * n * (n - 1) * (n - 1));

    for (std::int64_t j = 1; j <= counts.k; ++j) {
        const auto at = static_cast<std::size_t>(j);
        const double Sj = arrays.categorySumsOfSquares[at];
        const double pj = arrays.proportions[at];

        const double agreementNumerator = Sj - pj * Nn;
        double agreementDenominator = pj * D;
        if (agreementDenominator == 0)
            agreementDenominator = kZeroGuard;
        arrays.agreements[at] = agreementNumerator / agreementDenominator;

        double kappaDenominator = 1 - pj;
        if (kappaDenominator == 0)
            kappaDenominator = kZeroGuard;
        arrays.kappas[at] = (arrays.agreements[at] - pj) / kappaDenominator;

        const double bracket = 1 + pj * c;
        const double a = bracket * bracket;
        const double b = (1 - pj) * (pj * c);
        double varianceDenominator = (1 - pj) * (pj * E);
        if (varianceDenominator == 0)
            varianceDenominator = kZeroGuard;
        arrays.variances[at] = (a + b) / varianceDenominator;

        arrays.standardErrors[at] = platform::Sqrt(arrays.variances[at]);
        arrays.zValues[at] = arrays.kappas[at] / arrays.standardErrors[at];
        platform::YieldToPlatform();
    }
}

double TwoSidedNormalP(double z) {
    using platform::Pow;
    const double x = platform::Abs(z);
    const double phi = 0.39894228 * platform::Exp(((-x) * x) / 2);
    const double t = 1 / (1 + 0.2316419 * x);
    const double s = 0.31938153 * t + (-0.356563782) * Pow(t, 2) + 1.781477937 * Pow(t, 3) +
                     (-1.821255978) * Pow(t, 4) + 1.330274429 * Pow(t, 5);
    // The tail is formed as 1 - q, not as phi * s, so that p reaches exactly 0 from about
    // z = 8.29 on, where q rounds to 1.
    const double q = 1 - phi * s;
    double p = (1 - q) * 2;
    if (z == 0)
        p = 0.9999;
    if (p > 0.9999)
        p = 0.9999;
    return p;
}

} // namespace calculator
