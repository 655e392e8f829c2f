#pragma once

#include "calculator/RatingMatrix.h"

namespace calculator {

// Stores each case's total in column 0 of its row (cases 1 to N), then each category's total
// in column 26 of row j (categories 1 to k). The totals are whole numbers: the sum is truncated
// toward zero after every single addition, so counts 2.5 and 3.5 total 5. They serve the
// warnings of the report only; the statistics form their own sums. Throws
// std::invalid_argument for counts out of range.
void ComputeTotals(RatingMatrix& matrix, Counts counts);

} // namespace calculator
