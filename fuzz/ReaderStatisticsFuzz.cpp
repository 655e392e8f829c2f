#include "CalculatorTestSupport.h"
#include "FuzzChecks.h"
#include "MemoryLines.h"
#include "calculator/AgreementReport.h"
#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "calculator/Report.h"
#include "calculator/Statistics.h"
#include "platform/core/Date.h"
#include "platform/core/LineSplitter.h"
#include "platform/core/String.h"
#include "platform/core/Text.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

using namespace calculator;

using fuzz::Require;
using fuzz::SameBits;

namespace {

// The runs of characters other than blanks and line ends in a line.
std::int64_t Words(std::string_view line) {
    std::int64_t words = 0;
    bool inWord = false;
    for (const char c : line) {
        const bool apart = c == ' ' || c == '\r';
        words += !apart && !inWord;
        inWord = !apart;
    }
    return words;
}

} // namespace

// The first four bytes choose raters, cases (two bytes) and categories within their ranges;
// the rest is the ratings file, split into lines in memory as the platform splits a file. Then
// the whole analysis runs as the main window runs it, and the report's promised widths are
// checked. Its inputs are kept short (fuzz/options/reader): every case costs an echo line, and
// the reader's limits are fuzz_lines' to reach.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    // Cases past the file's end count as zeros, and each of them is echoed with a warning; a
    // few of them show that, and more would only spend the fuzzer's time on long echoes.
    const std::string_view file(reinterpret_cast<const char*>(data + 4), size - 4);
    const auto lines = static_cast<unsigned>(std::count(file.begin(), file.end(), '\r') +
                                             std::count(file.begin(), file.end(), '\n'));
    const unsigned asked = (data[1] | unsigned{data[2]} << 8) % 998;
    const Counts counts{2 + data[0] % 98, 2 + std::min(asked, lines + 8), 2 + data[3] % 24};
    platform::SplitTextInputStream stream(platform::testing::MemorySource(file));
    auto matrix = std::make_unique<RatingMatrix>();
    auto arrays = std::make_unique<CategoryArrays>();
    ReadRatings(stream, counts.k, *matrix);

    calculator::testing::TextReportSink report;
    WriteAgreementReport(*matrix, *arrays, counts, platform::Date(2003, 1, 2, 4, 5, 6), report);

    // The fast sums must agree with the ordered ones bit for bit wherever they apply.
    if (const auto fast = detail::SumSmallWholeCells(*matrix, counts)) {
        const detail::CellSums ordered = detail::SumCellsInOrder(*matrix, counts);
        Require(SameBits(fast->sumOfSquares, ordered.sumOfSquares));
        Require(SameBits(fast->total, ordered.total));
        for (std::size_t j = 0; j < 26; ++j) {
            Require(SameBits(fast->categorySums[j], ordered.categorySums[j]));
            Require(SameBits(fast->categorySumsOfSquares[j], ordered.categorySumsOfSquares[j]));
        }
    }

    // The widths that the report promises: every echo line holds k cells of at least 4, each
    // value apart from the one before it, and its line end; the table has its head, an overall
    // row and k category rows of at least 60 characters, each a label and five values apart,
    // and its foot, all inserted at the end.
    const auto& pieces = report.pieces;
    std::size_t i = 2; // after the date line and the data header
    for (; i < pieces.size() && !pieces[i].inserted; ++i) {
        const platform::String& piece = pieces[i].text;
        const bool special = piece == OmissionMarkPiece() || piece == TwoEmptyLinesPiece() ||
                             piece.view().starts_with("\r****warning:");
        if (special)
            continue;
        Require(platform::Len(piece) >= 4 * counts.k + 1);
        const std::string_view line = piece.view();
        Require(Words(line.substr(0, line.find(" ***warning: "))) == counts.k);
    }
    Require(pieces.size() == i + static_cast<std::size_t>(counts.k) + 3);
    for (std::size_t row = i + 1; row < pieces.size() - 1; ++row) {
        Require(pieces[row].inserted);
        Require(platform::Len(pieces[row].text) >= 60);
        Require(Words(pieces[row].text.view()) == 6);
    }
    Require(pieces.back().text == TableFootPiece());
    return 0;
}
