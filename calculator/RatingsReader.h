#pragma once

#include "calculator/RatingMatrix.h"
#include "platform/core/FolderItem.h"

#include <cstdint>

namespace calculator {

// Reads a ratings file into the matrix: line i is case i, its j-th tab-separated field the
// count of category j, read by Val (a missing or empty field, or one holding no number, reads
// as 0); only fields 1 to k are stored, further ones are ignored. At least one line is read,
// since the end is tested after each line, so an empty file reads as one empty line. The
// matrix has rows for cases 1 to 999 only: reading stops after line `lastLine` (999 unless a
// test asks for fewer) and longer files lose the rest. Closes the stream at the end.
// IOException from the stream passes through. Throws std::invalid_argument for k outside 2 to
// 25 and for lastLine outside 1 to 999.
void ReadRatings(platform::TextInputStream& stream, std::int64_t k, RatingMatrix& matrix,
                 std::int64_t lastLine = RatingMatrix::kLastCase);

} // namespace calculator
