#include "calculator/AgreementReport.h"

#include "calculator/RatingsReader.h"
#include "calculator/Report.h"
#include "calculator/Statistics.h"
#include "calculator/Totals.h"
#include "platform/core/Yield.h"

namespace calculator {

void WriteAgreementReport(RatingMatrix& matrix, CategoryArrays& arrays, Counts counts,
                          const platform::Date& now, ReportSink& sink) {
    using platform::String;
    ComputeTotals(matrix, counts);

    sink.AppendOldTextPlusPiece(DateLinePiece(now.ShortDate(), now.LongTime()));
    sink.AppendOldTextPlusPiece(DataHeaderPiece());
    ForEachDataEchoPiece(matrix, counts,
                         [&sink](const String& piece) { sink.AppendOldTextPlusPiece(piece); });
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        if (CategoryIsEmpty(matrix, j))
            sink.AppendOldTextPlusPiece(EmptyCategoryWarningPiece(j));
        platform::YieldToPlatform();
    }
    sink.AppendOldTextPlusPiece(TwoEmptyLinesPiece());

    const OverallStatistics overall = ComputeOverallStatistics(matrix, counts, arrays);
    const double p = sink.ZtoProb(overall.z);
    sink.InsertAtEnd(TableHeadPiece());
    sink.InsertAtEnd(
        OverallRowPiece(overall.agreement, overall.kappa, overall.standardError, overall.z, p));

    ComputeCategoryStatistics(counts, arrays);
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        arrays.pValues[j] = sink.ZtoProb(arrays.zValues[j]);
        platform::YieldToPlatform();
    }
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        sink.InsertAtEnd(CategoryRowPiece(j, arrays.agreements[j], arrays.kappas[j],
                                          arrays.standardErrors[j], arrays.zValues[j],
                                          arrays.pValues[j]));
        platform::YieldToPlatform();
    }
    sink.InsertAtEnd(TableFootPiece());
}

} // namespace calculator
