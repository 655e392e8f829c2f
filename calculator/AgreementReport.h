#pragma once

#include "calculator/RatingMatrix.h"
#include "platform/core/Date.h"
#include "platform/core/String.h"

namespace calculator {

// Where one agreement report goes, piece by piece, and the step that turns a z into its p.
// The main window's sink is its report area and its own `ZtoProb`; tests, benchmarks and the
// fuzzers collect the text instead.
class ReportSink {
  public:
    virtual ~ReportSink() = default;
    // The two ways a piece reaches the report: the whole text read and set to itself followed
    // by the piece, or the piece inserted at the end of the text. Both leave the same text.
    virtual void AppendOldTextPlusPiece(const platform::String& piece) = 0;
    virtual void InsertAtEnd(const platform::String& piece) = 0;
    // The two-sided p of z.
    virtual double ZtoProb(double z) = 0;
};

// The Get Data analysis from a matrix that the reader has filled to the end of the report:
// the case and category totals; appended, the date line of `now`, the data header, the data
// echo, the empty-category warnings and two empty lines; the overall statistics and their p;
// inserted, the table head and the overall row; the category statistics and each category's
// p; inserted, the category rows and the table foot. `arrays` must be fresh (all 0). Every
// pass of every loop ends with a cooperative yield.
void WriteAgreementReport(RatingMatrix& matrix, CategoryArrays& arrays, Counts counts,
                          const platform::Date& now, ReportSink& sink);

} // namespace calculator
