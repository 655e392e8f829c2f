#include "calculator/RatingMatrix.h"
#include "calculator/Statistics.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

using namespace calculator;

namespace {

constexpr Counts kLargest{99, 999, 25};

// The largest analysis: 999 cases of 99 raters spread at random over 25 categories.
std::unique_ptr<RatingMatrix> LargestMatrix(bool fractional) {
    auto matrix = std::make_unique<RatingMatrix>();
    std::mt19937 random(1971);
    std::uniform_int_distribution<std::int64_t> category(1, kLargest.k);
    for (std::int64_t i = 1; i <= kLargest.N; ++i)
        for (std::int64_t rater = 0; rater < kLargest.n; ++rater)
            matrix->cell(i, category(random)) += 1;
    if (fractional)
        matrix->cell(kLargest.N, kLargest.k) += 0.5;
    return matrix;
}

void RunStatistics(benchmark::State& state, bool fractional) {
    const auto matrix = LargestMatrix(fractional);
    for (auto _ : state) {
        auto arrays = std::make_unique<CategoryArrays>();
        const OverallStatistics overall = ComputeOverallStatistics(*matrix, kLargest, *arrays);
        ComputeCategoryStatistics(kLargest, *arrays);
        benchmark::DoNotOptimize(overall);
        benchmark::DoNotOptimize(arrays->zValues.data());
    }
}

// Whole counts, the usual data: the sums run side by side.
void BM_Statistics999x25(benchmark::State& state) {
    RunStatistics(state, false);
}
BENCHMARK(BM_Statistics999x25)->Unit(benchmark::kMicrosecond);

// One fractional count sends the sums back to their written order.
void BM_Statistics999x25Fractional(benchmark::State& state) {
    RunStatistics(state, true);
}
BENCHMARK(BM_Statistics999x25Fractional)->Unit(benchmark::kMicrosecond);

void BM_TwoSidedNormalP(benchmark::State& state) {
    double z = 0.01;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TwoSidedNormalP(z));
        z = z < 9 ? z + 0.37 : 0.01;
    }
}
BENCHMARK(BM_TwoSidedNormalP);

} // namespace
