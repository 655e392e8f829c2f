#pragma once

#include "MemoryLines.h"
#include "calculator/AgreementReport.h"
#include "calculator/RatingMatrix.h"
#include "calculator/Statistics.h"
#include "platform/core/String.h"

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace calculator::testing {

// The agreement report collected as text, each z turned into p as the main window does, with
// a log of which pieces were appended as old text plus piece and which were inserted at the end,
// and of each z turned into p.
class TextReportSink final : public ReportSink {
  public:
    struct Piece {
        bool inserted;
        platform::String text;
    };

    void AppendOldTextPlusPiece(const platform::String& piece) override {
        text = text + piece;
        pieces.push_back({false, piece});
    }
    void InsertAtEnd(const platform::String& piece) override {
        text += piece;
        pieces.push_back({true, piece});
    }
    double ZtoProb(double z) override {
        const double p = TwoSidedNormalP(z);
        probabilities.push_back({z, p});
        return p;
    }

    platform::String text;
    std::vector<Piece> pieces;
    // Each z asked for, with its p: the overall row's first, then categories 1 to k.
    struct Probability {
        double z;
        double p;
    };
    std::vector<Probability> probabilities;
};

// The help text's sample: Fleiss (1971), 6 raters, 30 cases, 5 categories.
inline const std::vector<std::vector<double>>& FleissSample() {
    static const std::vector<std::vector<double>> rows = {
        {0, 0, 0, 6, 0}, {0, 3, 0, 0, 3}, {0, 1, 4, 0, 1}, {0, 0, 0, 0, 6}, {0, 3, 0, 3, 0},
        {2, 0, 4, 0, 0}, {0, 0, 4, 0, 2}, {2, 0, 3, 1, 0}, {2, 0, 0, 4, 0}, {0, 0, 0, 0, 6},
        {1, 0, 0, 5, 0}, {1, 1, 0, 4, 0}, {0, 3, 3, 0, 0}, {1, 0, 0, 5, 0}, {0, 2, 0, 3, 1},
        {0, 0, 5, 0, 1}, {3, 0, 0, 1, 2}, {5, 1, 0, 0, 0}, {0, 2, 0, 4, 0}, {1, 0, 2, 0, 3},
        {0, 0, 0, 0, 6}, {0, 1, 0, 5, 0}, {0, 2, 0, 1, 3}, {2, 0, 0, 4, 0}, {1, 0, 0, 4, 1},
        {0, 5, 0, 1, 0}, {4, 0, 0, 0, 2}, {0, 2, 0, 4, 0}, {1, 0, 5, 0, 0}, {0, 0, 0, 0, 6}};
    return rows;
}

inline constexpr Counts kSampleCounts{6, 30, 5};

// Cases 1, 2, ... from the rows, category j from entry j - 1.
inline void Fill(RatingMatrix& matrix, const std::vector<std::vector<double>>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            matrix.cell(static_cast<std::int64_t>(i + 1), static_cast<std::int64_t>(j + 1)) =
                rows[i][j];
}

// Bit for bit, -0 differing from 0, and any NaN matching any NaN.
inline bool SameBits(double a, double b) {
    if (a != a && b != b)
        return true;
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// One row of counts as a line of a ratings file holds it, without its line end.
inline std::string RowText(const std::vector<double>& row) {
    std::string text;
    for (std::size_t j = 0; j < row.size(); ++j) {
        if (j > 0)
            text += '\t';
        text += std::to_string(static_cast<int>(row[j]));
    }
    return text;
}

// The sample as a file: the rows joined by tabs, each followed by `lineEnd`; with
// `emptyCategories`, each row ends in that many more fields of 0, categories nobody chose.
inline std::string SampleText(const std::string& lineEnd, int emptyCategories = 0) {
    std::string text;
    for (const auto& row : FleissSample()) {
        text += RowText(row);
        for (int j = 0; j < emptyCategories; ++j)
            text += "\t0";
        text += lineEnd;
    }
    return text;
}

// The sample with a sixth category that nobody chose: 6 raters, 30 cases, 6 categories.
inline constexpr Counts kSampleWithEmptySixthCategoryCounts{6, 30, 6};

// The row of that sixth category: its standard error of 100000 is longer than its cell and
// stands whole after one blank, which makes the row two characters longer than the others.
inline constexpr const char* kEmptySixthCategoryRow =
    "Category6     .0000    +.0000 100000.0000       +.00    .9999";

// The sample's lines, each followed by an ignored field of `padding` bytes, and more lines
// than the 999 that are read: a file that takes a while to read.
inline std::string PaddedSample(std::size_t padding) {
    std::string contents;
    for (int repeat = 0; repeat < 34; ++repeat)
        for (const auto& row : FleissSample()) {
            contents += RowText(row) + '\t';
            contents.append(padding, '9');
            contents += '\r';
        }
    return contents;
}

// How many agreement reports the text holds, by their data headers.
inline std::size_t ReportsIn(const std::string& text) {
    std::size_t reports = 0;
    for (std::size_t at = 0; (at = text.find("   Data\r", at)) != std::string::npos; ++at)
        ++reports;
    return reports;
}

// Lines 3 to 31 of the agreement report of the sample (line 1 is the date, line 2 empty).
inline const std::vector<std::string>& SampleReportLines3To31() {
    static const std::string frame(60, '+');
    static const std::vector<std::string> lines = {
        "**********",
        "   Data",
        "**********",
        "   0   0   0   6   0",
        "   0   3   0   0   3",
        "   0   1   4   0   1",
        "   0   0   0   0   6",
        "   0   3   0   3   0",
        "  ::::::::::",
        "  ::::::::::",
        "   0   5   0   1   0",
        "   4   0   0   0   2",
        "   0   2   0   4   0",
        "   1   0   5   0   0",
        "   0   0   0   0   6",
        "",
        "",
        frame,
        "            Agreement   Kappa   StandError     z        p",
        frame,
        "Overall       .5556    +.4302     .0275     +15.64    .0000",
        "Category1     .3538    +.2448     .1139      +2.15    .0316",
        "Category2     .3538    +.2448     .1139      +2.15    .0316",
        "Category3     .6000    +.5200     .1166      +4.46    .0000",
        "Category4     .6327    +.4711     .1395      +3.38    .0007",
        "Category5     .6698    +.5661     .1275      +4.44    .0000",
        frame,
        "",
        "Quorvane 2.0 -- Copyright (C) 2002-2020 the Quorvane authors",
    };
    return lines;
}

} // namespace calculator::testing
