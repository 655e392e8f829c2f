#include "calculator/Report.h"

#include "platform/core/Text.h"
#include "platform/core/Yield.h"

namespace calculator {

namespace {

using platform::String;

const String& LineEnd() {
    static const String cr = platform::Chr(13);
    return cr;
}

String Line(const String& text) {
    return text + LineEnd();
}

const String& Frame() {
    static const String frame = String(std::string(60, '+'));
    return frame;
}

String ValueCells(double kappa, double standardError, double z, double p) {
    using platform::Format;
    return ReportCell(Format(kappa, "+.0000"), 10) +
           ReportCell(Format(standardError, ".0000"), 10) + ReportCell(Format(z, "+##.00"), 11) +
           ReportCell(Format(p, ".0000"), 9);
}

} // namespace

String DateLinePiece(const String& shortDate, const String& longTime) {
    return Line(shortDate + "  " + longTime) + LineEnd();
}

String DataHeaderPiece() {
    return Line("**********") + Line("   Data") + Line("**********");
}

String ReportCell(const String& text, std::int64_t width) {
    const std::int64_t length = platform::Len(text);
    // A text that would fill its cell or run past it keeps every character and one blank
    // before it, so that no digit is lost and no value runs into the one before it.
    if (length >= width)
        return String(" ") + text;
    // The same as the last `width` characters of 25 blanks and the text, made in one step.
    return String(std::string(static_cast<std::size_t>(width - length), ' ') + text.str());
}

bool CaseIsFlagged(const RatingMatrix& matrix, Counts counts, std::int64_t i) {
    return matrix.caseTotal(i) != static_cast<double>(counts.n);
}

String EchoLine(const RatingMatrix& matrix, Counts counts, std::int64_t i) {
    String line;
    for (std::int64_t j = 1; j <= counts.k; ++j)
        line += ReportCell(platform::Str(matrix.cell(i, j)), 4);
    if (CaseIsFlagged(matrix, counts, i))
        line += String(" ***warning: ") + platform::Str(matrix.caseTotal(i)) + " raters";
    return Line(line);
}

String OmissionMarkPiece() {
    return Line("  ::::::::::");
}

void ForEachDataEchoPiece(const RatingMatrix& matrix, Counts counts,
                          const std::function<void(const String&)>& append) {
    std::int64_t skipped = 0;
    for (std::int64_t i = 1; i <= counts.N; ++i) {
        if (i < 6 || i > counts.N - 5 || CaseIsFlagged(matrix, counts, i)) {
            append(EchoLine(matrix, counts, i));
        } else {
            ++skipped;
            if (skipped < 3)
                append(OmissionMarkPiece());
        }
        platform::YieldToPlatform();
    }
}

bool CategoryIsEmpty(const RatingMatrix& matrix, std::int64_t j) {
    return matrix.categoryTotal(j) < 1;
}

String EmptyCategoryWarningPiece(std::int64_t j) {
    return LineEnd() +
           Line(String("****warning:Category #") + platform::Str(j) + " has no ratings");
}

String TwoEmptyLinesPiece() {
    return LineEnd() + LineEnd();
}

String TableHeadPiece() {
    return Line(Frame()) + Line("            Agreement   Kappa   StandError     z        p") +
           Line(Frame());
}

String OverallRowPiece(double agreement, double kappa, double standardError, double z, double p) {
    return Line(String("Overall") + ReportCell(platform::Format(agreement, ".0000"), 12) +
                ValueCells(kappa, standardError, z, p));
}

String CategoryRowPiece(std::int64_t j, double agreement, double kappa, double standardError,
                        double z, double p) {
    const String label = String("Category") + platform::Str(j);
    const std::int64_t width = (18 - platform::Len(label)) + 1;
    return Line(label + ReportCell(platform::Format(agreement, ".0000"), width) +
                ValueCells(kappa, standardError, z, p));
}

String TableFootPiece() {
    return Line(Frame()) + LineEnd() +
           Line("Quorvane 2.0 -- Copyright (C) 2002-2020 the Quorvane authors");
}

} // namespace calculator
