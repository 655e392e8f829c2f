#include "FuzzChecks.h"
#include "MemoryLines.h"
#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "platform/core/LineSplitter.h"
#include "platform/core/String.h"
#include "platform/core/Text.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using fuzz::Require;
using fuzz::SameBits;

using platform::testing::MemoryTextStream;

} // namespace

// The first four bytes choose tiny limits: a chunk of 1 to 32 bytes, a cut after 0 to 100
// bytes, a last line of 1 to 8, and reads of at most 1 to 32 bytes (short reads when below the
// chunk); the rest is the text. The splitter must give the lines of a plain split of the whole
// text, and the ratings reader must take exactly the lines up to its last one and store their
// fields.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const platform::LineLimits limits{1 + data[0] % 32u, data[1] % 101u};
    const std::int64_t lastLine = 1 + data[2] % 8;
    const std::size_t largestRead = 1 + data[3] % 32u;
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    const std::vector<std::string> expected =
        platform::testing::ReferenceLines(text, limits.maximumLineBytes);

    platform::LineSplitter splitter(platform::testing::MemorySource(text, largestRead), limits);
    Require(platform::testing::SplitLines(splitter) == expected);
    Require(splitter.AtEnd() && splitter.NextLine().empty());

    MemoryTextStream stream(std::string(text), limits, largestRead);
    // One matrix for every input, put back to zeros after each: filling 27,000 fresh cells under
    // the fuzzer's hooks would cost more than all the rest.
    static calculator::RatingMatrix* const matrix = new calculator::RatingMatrix();
    constexpr std::int64_t k = 3;
    calculator::ReadRatings(stream, k, *matrix, lastLine);
    const std::size_t linesRead = std::min(expected.size(), static_cast<std::size_t>(lastLine));
    Require(stream.closed);
    Require(stream.lines.size() == linesRead);
    Require(std::equal(stream.lines.begin(), stream.lines.end(), expected.begin()));
    for (std::size_t i = 0; i < linesRead; ++i) {
        const auto row = static_cast<std::int64_t>(i + 1);
        for (std::int64_t j = 1; j <= k; ++j)
            Require(SameBits(matrix->cell(row, j),
                             platform::Val(platform::NthField(expected[i], "\t", j))));
    }
    Require(matrix->cell(static_cast<std::int64_t>(linesRead) + 1, 1) == 0);
    for (std::int64_t row = 1; row <= static_cast<std::int64_t>(linesRead); ++row)
        for (std::int64_t j = 1; j <= k; ++j)
            matrix->cell(row, j) = 0;
    return 0;
}
