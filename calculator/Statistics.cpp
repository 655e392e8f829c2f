#include "calculator/Statistics.h"

#include "platform/core/Math.h"
#include "platform/core/Yield.h"

#include <cstring>
#include <limits>
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

namespace {

// Two doubles side by side, and a mask of two 64-bit lanes: GCC's and Clang's vector types,
// for two cells per instruction on every x86-64 and ARM64 processor.
using Pair = double __attribute__((vector_size(16)));
using PairMask = std::int64_t __attribute__((vector_size(16)));

constexpr Pair Both(double value) {
    return Pair{value, value};
}

Pair Magnitude(Pair x) {
    const PairMask sign = {std::numeric_limits<std::int64_t>::min(),
                           std::numeric_limits<std::int64_t>::min()};
    return (Pair)((PairMask)x & ~sign);
}

} // namespace

std::optional<CellSums> SumSmallWholeCells(const RatingMatrix& matrix, Counts counts) {
    constexpr Pair kRounder = Both(6755399441055744.0); // 1.5 * 2^52
    constexpr double kExactLimit = 9007199254740992.0;  // 2^53
    constexpr int kPairs = 13;
    PairMask keep[kPairs];
    for (int pair = 0; pair < kPairs; ++pair) {
        const std::int64_t first = 1 + 2 * pair;
        keep[pair] = PairMask{first <= counts.k ? -1 : 0, first + 1 <= counts.k ? -1 : 0};
    }
    Pair n[kPairs] = {};
    Pair S[kPairs] = {};
    Pair fraction[kPairs] = {};
    for (std::int64_t i = 1; i <= counts.N; ++i) {
        const double* cells = matrix.row(i) + 1;
        for (int pair = 0; pair < kPairs; ++pair) {
            Pair cell;
            std::memcpy(&cell, cells + 2 * pair, sizeof cell);
            const Pair x = (Pair)((PairMask)cell & keep[pair]);
            n[pair] += x;
            S[pair] += x * x;
            // Nonzero for a fraction, a NaN or an infinity (and for some huge whole numbers,
            // which only costs the fast path).
            fraction[pair] += Magnitude(((x + kRounder) - kRounder) - x);
        }
        platform::YieldToPlatform();
    }
    // Every cell is a whole number. Rounding is monotonic and the squares are not negative, so
    // when the largest computed sum of squares stays below 2^53 every square and every partial
    // sum of squares, of counts and of the totals was a whole number below 2^53: each addition
    // was exact, and the order of the additions cannot change a bit of the result.
    CellSums sums;
    double Q = 0;
    double T = 0;
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        const std::int64_t pair = (j - 1) / 2;
        const std::int64_t lane = (j - 1) % 2;
        if (fraction[pair][lane] != 0)
            return std::nullopt;
        Q = S[pair][lane] + Q;
        T = n[pair][lane] + T;
        sums.categorySums[static_cast<std::size_t>(j)] = n[pair][lane];
        sums.categorySumsOfSquares[static_cast<std::size_t>(j)] = S[pair][lane];
    }
    if (!(Q < kExactLimit))
        return std::nullopt;
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
