#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace calculator {

// The three counts of one analysis, whole numbers from the validated count fields:
// n raters (2 to 99), N cases (2 to 999) and k categories (2 to 25).
struct Counts {
    std::int64_t n;
    std::int64_t N;
    std::int64_t k;
};

// True when every count lies within its range; every function of the calculator expects it.
constexpr bool CountsAreValid(Counts counts) {
    return counts.n >= 2 && counts.n <= 99 && counts.N >= 2 && counts.N <= 999 && counts.k >= 2 &&
           counts.k <= 25;
}

// The ratings of one analysis: rows 0 to 999, columns 0 to 26, every cell 0 when created.
// Cell (i, j) holds the count of case i in category j; column 0 of row i the case total and
// column 26 of row j the category total. The cells live on the heap, so a matrix can be made
// on the stack of an event handler without taking 216 KB of it.
class RatingMatrix {
  public:
    static constexpr std::int64_t kRows = 1000;
    static constexpr std::int64_t kColumns = 27;
    static constexpr std::int64_t kLastCase = kRows - 1;
    static constexpr std::int64_t kCaseTotalColumn = 0;
    static constexpr std::int64_t kCategoryTotalColumn = 26;

    RatingMatrix() : m_cells(static_cast<std::size_t>(kRows * kColumns), 0.0) {}

    double& cell(std::int64_t row, std::int64_t column) {
        return m_cells[static_cast<std::size_t>(row * kColumns + column)];
    }
    double cell(std::int64_t row, std::int64_t column) const {
        return m_cells[static_cast<std::size_t>(row * kColumns + column)];
    }
    // The 27 cells of one row, column 0 first.
    const double* row(std::int64_t row) const {
        return m_cells.data() + static_cast<std::size_t>(row * kColumns);
    }

    double caseTotal(std::int64_t i) const { return cell(i, kCaseTotalColumn); }
    double categoryTotal(std::int64_t j) const { return cell(j, kCategoryTotalColumn); }

  private:
    std::vector<double> m_cells;
};

// The per-category values of one analysis, category j at index j (index 0 is never used).
// Create them with std::make_unique, next to the matrix; every entry starts at 0.
struct CategoryArrays {
    using Values = std::array<double, 26>;
    Values categorySums{};
    Values categorySumsOfSquares{};
    Values proportions{};
    Values squaredProportions{};
    Values cubedProportions{};
    Values variances{};
    Values standardErrors{};
    Values zValues{};
    Values pValues{};
    Values agreements{};
    Values kappas{};
};

} // namespace calculator
