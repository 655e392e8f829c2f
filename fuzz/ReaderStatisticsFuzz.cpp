#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "calculator/Report.h"
#include "calculator/Statistics.h"
#include "platform/LineSplitter.h"
#include "platform/String.h"
#include "platform/Text.h"
#include "tests/platform/MemoryLines.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <string_view>

using namespace calculator;

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a != a && b != b);
}

} // namespace

// The first three bytes choose raters, cases and categories within their ranges; the rest is the
// ratings file, split into lines in memory as the platform splits a file. Then a whole analysis
// runs and every report piece is built, with the widths that the report promises checked on the
// way.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const Counts counts{2 + data[0] % 98, 2 + data[1] % 998, 2 + data[2] % 24};
    platform::SplitTextInputStream stream(platform::testing::MemorySource(
        std::string_view(reinterpret_cast<const char*>(data + 3), size - 3)));
    auto matrix = std::make_unique<RatingMatrix>();
    auto arrays = std::make_unique<CategoryArrays>();
    ReadRatings(stream, counts.k, *matrix);
    ComputeTotals(*matrix, counts);

    if (const auto fast = detail::SumSmallWholeCells(*matrix, counts)) {
        const detail::CellSums ordered = detail::SumCellsInOrder(*matrix, counts);
        Require(SameBits(fast->sumOfSquares, ordered.sumOfSquares));
        Require(SameBits(fast->total, ordered.total));
        for (std::size_t j = 0; j < 26; ++j) {
            Require(SameBits(fast->categorySums[j], ordered.categorySums[j]));
            Require(SameBits(fast->categorySumsOfSquares[j], ordered.categorySumsOfSquares[j]));
        }
    }

    platform::String report = DateLinePiece("1/2/03", "4:05:06") + DataHeaderPiece();
    ForEachDataEchoPiece(*matrix, counts, [&](const platform::String& piece) {
        Require(platform::Len(piece) >= 4 * counts.k + 1 || piece == OmissionMarkPiece());
        report += piece;
    });
    for (std::int64_t j = 1; j <= counts.k; ++j)
        if (CategoryIsEmpty(*matrix, j))
            report += EmptyCategoryWarningPiece(j);
    report += TwoEmptyLinesPiece();
    const OverallStatistics overall = ComputeOverallStatistics(*matrix, counts, *arrays);
    const double p = TwoSidedNormalP(overall.z);
    Require(p != p || (p >= 0 && p <= 0.9999));
    report += TableHeadPiece();
    const platform::String overallRow =
        OverallRowPiece(overall.agreement, overall.kappa, overall.standardError, overall.z, p);
    Require(platform::Len(overallRow) == 60);
    report += overallRow;
    ComputeCategoryStatistics(counts, *arrays);
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        arrays->pValues[j] = TwoSidedNormalP(arrays->zValues[j]);
        const platform::String row =
            CategoryRowPiece(j, arrays->agreements[j], arrays->kappas[j], arrays->standardErrors[j],
                             arrays->zValues[j], arrays->pValues[j]);
        Require(platform::Len(row) == 60);
        report += row;
    }
    report += TableFootPiece();
    Require(!report.empty());
    return 0;
}
