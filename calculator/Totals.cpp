#include "calculator/Totals.h"

#include "platform/core/Yield.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace calculator {

namespace {

// Adds a count to a whole-number total and truncates the sum toward zero. A sum that no
// 64-bit integer holds (an absurd count, an infinity or a NaN) saturates instead of being
// undefined; NaN gives 0.
std::int64_t AddTruncated(std::int64_t total, double count) {
    const double sum = static_cast<double>(total) + count;
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (!(sum > -kLimit))
        return sum < 0 ? std::numeric_limits<std::int64_t>::min() : 0;
    if (sum >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(std::trunc(sum));
}

} // namespace

void ComputeTotals(RatingMatrix& matrix, Counts counts) {
    if (!CountsAreValid(counts))
        throw std::invalid_argument("counts out of range");
    for (std::int64_t i = 1; i <= counts.N; ++i) {
        std::int64_t total = 0;
        for (std::int64_t j = 1; j <= counts.k; ++j)
            total = AddTruncated(total, matrix.cell(i, j));
        matrix.cell(i, RatingMatrix::kCaseTotalColumn) = static_cast<double>(total);
        platform::YieldToPlatform();
    }
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        std::int64_t total = 0;
        for (std::int64_t i = 1; i <= counts.N; ++i)
            total = AddTruncated(total, matrix.cell(i, j));
        matrix.cell(j, RatingMatrix::kCategoryTotalColumn) = static_cast<double>(total);
        platform::YieldToPlatform();
    }
}

} // namespace calculator
