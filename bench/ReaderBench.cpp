#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "calculator/Totals.h"
#include "platform/core/FolderItem.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

using namespace calculator;

namespace {

// The largest ratings file: 999 lines of 25 tab-separated counts of 99 raters.
std::string WriteLargestFile() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("quorvane-bench-" + std::to_string(::getpid()) + ".txt");
    std::mt19937 random(1971);
    std::uniform_int_distribution<int> category(0, 24);
    std::ofstream file(path, std::ios::binary);
    for (int i = 1; i <= 999; ++i) {
        int counts[25] = {};
        for (int rater = 0; rater < 99; ++rater)
            ++counts[category(random)];
        for (int j = 0; j < 25; ++j)
            file << (j ? "\t" : "") << counts[j];
        file << '\r';
    }
    return path.string();
}

void BM_ReadRatings999x25(benchmark::State& state) {
    const std::string path = WriteLargestFile();
    const platform::FolderItem item(path);
    for (auto _ : state) {
        auto matrix = std::make_unique<RatingMatrix>();
        auto stream = item.OpenAsTextFile();
        ReadRatings(*stream, 25, *matrix);
        ComputeTotals(*matrix, {99, 999, 25});
        benchmark::DoNotOptimize(matrix->cell(999, 25));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadRatings999x25)->Unit(benchmark::kMicrosecond);

} // namespace
