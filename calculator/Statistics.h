#pragma once

#include "calculator/RatingMatrix.h"

#include <optional>

namespace calculator {

// Fleiss' (1971) kappa for many raters, from his computational formulae, and the two-sided
// normal probability of Abramowitz and Stegun 26.2.17. Every value is evaluated in exactly
// the order of those formulae as written, so that the printed digits never depend on the
// compiler: the reciprocal of a pair count is formed before it multiplies, sums start at 0
// and add one term per pass, and the integer terms are computed from the counts and converted
// to double once. Nothing here shows anything or raises a failure: zero denominators give
// IEEE infinities and NaNs, except for the three guarded denominators of the category
// statistics. None of this knows the main window; it takes the counts and arrays it is given.

// The values of the results table's overall row apart from p. The caller keeps z in the
// window's `Z` and turns it into p with `ZtoProb`.
struct OverallStatistics {
    double agreement;
    double kappa;
    double standardError;
    double z;
};

// Takes the rating matrix (only cells (i, j) with 1 <= i <= N and 1 <= j <= k are read) and
// the counts; writes entries 1..k of categorySums, categorySumsOfSquares, proportions,
// squaredProportions and cubedProportions. Returns the overall agreement P-bar, kappa, its
// standard error and z = kappa / standard error. Throws std::invalid_argument for counts out
// of their ranges.
OverallStatistics ComputeOverallStatistics(const RatingMatrix& matrix, Counts counts,
                                           CategoryArrays& arrays);

// Takes categorySumsOfSquares and proportions as ComputeOverallStatistics left them; writes
// entries 1..k of agreements, kappas, variances, standardErrors and zValues. The agreement,
// kappa and variance denominators are replaced by 1e-10 when they are exactly 0. The p values
// are left to the caller, which turns each z into p through the window's `ZtoProb`.
void ComputeCategoryStatistics(Counts counts, CategoryArrays& arrays);

// The two-sided probability of z under the standard normal distribution, by the polynomial
// of Abramowitz and Stegun 26.2.17, capped at 0.9999; z = 0 gives 0.9999, an infinite z 0
// and a NaN z NaN.
double TwoSidedNormalP(double z);

namespace detail {

// The sums over the cells that the overall statistics need: Q and T over all cells read, and
// each category's sum and sum of squares.
struct CellSums {
    double sumOfSquares = 0;
    double total = 0;
    CategoryArrays::Values categorySums{};
    CategoryArrays::Values categorySumsOfSquares{};
};

// The sums exactly as the formulae order them: one long chain of additions each.
CellSums SumCellsInOrder(const RatingMatrix& matrix, Counts counts);

// The same sums when every cell read is a whole number and the sum of squares stays below
// 2^53, nullopt otherwise. Then every square and every partial sum is a whole number below
// 2^53, so each addition is exact and the order of the additions cannot change a bit of the
// result; this lets the sums run in independent chains instead of one.
std::optional<CellSums> SumSmallWholeCells(const RatingMatrix& matrix, Counts counts);

} // namespace detail

} // namespace calculator
