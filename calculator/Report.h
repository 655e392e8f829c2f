#pragma once

#include "calculator/RatingMatrix.h"
#include "platform/core/String.h"

#include <cstdint>
#include <functional>

namespace calculator {

// The texts of the agreement report, piece by piece, for a fixed-pitch font. Every line of a
// piece ends in a carriage return, an empty line being a carriage return alone. These build
// texts only: appending them to the window's text area, and in which way, is the window's.

// The current date and time as the system writes them, two blanks apart; then an empty line.
platform::String DateLinePiece(const platform::String& shortDate, const platform::String& longTime);

// "**********", "   Data", "**********".
platform::String DataHeaderPiece();

// `text` right-aligned in `width` characters (at most 25). A text of `width` characters or more
// is kept whole after one blank, so its cell is that much wider. No line end.
platform::String ReportCell(const platform::String& text, std::int64_t width);

// True when case i's total (column 0) is not the number of raters.
bool CaseIsFlagged(const RatingMatrix& matrix, Counts counts, std::int64_t i);

// Case i's counts in cells of 4, then for a flagged case " ***warning: <total> raters".
platform::String EchoLine(const RatingMatrix& matrix, Counts counts, std::int64_t i);

// The mark that stands for a skipped case: "  ::::::::::".
platform::String OmissionMarkPiece();

// The data echo of cases 1 to N in order: a case is echoed when it is one of the first five
// or the last five or is flagged; of the other cases the first two leave an omission mark in
// their place and the rest nothing. Calls `append` with each piece in turn and yields to the
// platform after each case.
void ForEachDataEchoPiece(const RatingMatrix& matrix, Counts counts,
                          const std::function<void(const platform::String&)>& append);

// True when category j's total (column 26 of row j) is below 1.
bool CategoryIsEmpty(const RatingMatrix& matrix, std::int64_t j);

// An empty line, then "****warning:Category #<j> has no ratings".
platform::String EmptyCategoryWarningPiece(std::int64_t j);

platform::String TwoEmptyLinesPiece();

// A frame of 60 "+", the column heading, a frame.
platform::String TableHeadPiece();

// "Overall" and the five values in cells of 12, 10, 10, 11 and 9 characters.
platform::String OverallRowPiece(double agreement, double kappa, double standardError, double z,
                                 double p);

// "Category<j>" and the five values; the first cell is as much narrower as the label is longer,
// so that every row whose values fit their cells is 59 characters.
platform::String CategoryRowPiece(std::int64_t j, double agreement, double kappa,
                                  double standardError, double z, double p);

// A frame, an empty line and the closing notice.
platform::String TableFootPiece();

} // namespace calculator
