#include "shell/HelpText.h"

#include <span>
#include <string>
#include <string_view>

namespace {

// One entry per line of the text, so that each can be read and checked on its own. The sample
// data separate their counts by tabs, which is what makes them a valid ratings file. The
// reference entries are broken at 61 characters at most, which leaves room in the Description
// window's area for a fixed-pitch face a little wider than most, so that no continuation line
// wraps and loses its indent.
// clang-format off
constexpr std::string_view kLines[] = {
    "Quorvane",
    "",
    "Of the statistical procedures that have been put forward for judging the degree and the significance of agreement between observers who assign objects or subjects to the categories of a nominal scale, the best known is Cohen's (1960) kappa coefficient: the proportion of agreement between the observers beyond the agreement expected by chance, normalised so that 1 stands for perfect agreement and 0 for no more agreement than chance would produce.",
    "",
    "Kappa has a first limitation: it measures the agreement between two observers only, not the joint agreement of many. For that purpose Light (1971) defined an extension, known as the coefficient of multiple observer agreement.",
    "",
    "A second limitation is that Cohen's statistic and Light's extension both assume that one and the same pair or set of observers classifies every case. In applied research, however, each case is often classified by more than two observers, and which observers they are varies with time or with convenience.",
    "",
    "Fleiss (1971) revised and extended kappa to more than two observers without assuming a constant set of observers. He gave an overall (general) coefficient of agreement among many observers across all categories, and a conditional (partial) coefficient for each category. The conditional coefficient tests the probability that observers chosen at random assign an object or subject selected at random to the same category, and so helps to judge the soundness of a single category.",
    "",
    "Quorvane computes both the general and the conditional coefficients, following the computational formulae of Fleiss (1971), and tests the statistical significance of the agreement among many observers.",
    "",
    "References",
    "Algorithms for fast and precise computation of the normal",
    "     integral (1989). Behavior Research Methods, Instruments,",
    "     & Computers, 21, 447-454.",
    "Cohen, J. (1960). A coefficient of agreement for nominal",
    "     scales. Educational and Psychological Measurement,",
    "     20, 37-46.",
    "Fleiss, J. L. (1971). Measuring nominal scale agreement among",
    "     many raters. Psychological Bulletin, 76, 378-382.",
    "Light, R. J. (1971). Measures of response agreement for",
    "     qualitative data: Some generalizations and alternatives.",
    "     Psychological Bulletin, 76, 365-377.",
    "",
    "Data Input",
    "Data is input from a text file. It is not interactive. In that file, each case must reside on a single line. Each case must include an entry for each of the categories. Non-selected categories are indicated by zeros.  Category entries are separated by tabs.  The end of each line of data (case) is marked by a return.  Thus, Quorvane uses tab delimited text files for its data input. Do not use spaces or commas to separate categories -- only tabs will work.",
    "",
    "For example, if 5 cases have been classified into 3 categories by 4 observers:",
    "     case #1---> 1 2 1",
    "     case #2---> 1 1 2",
    "       ..........................",
    "    case #5---> 3 1 0",
    "",
    "In the above data, for case #1: 1 observer put that case into category #1, 2 observers put that case into category #2, and 1 observer judged that case to belong to category #3.  For case #5, 3 observers judged it to belong to category #1, 1 observer judged it to belong to category #2, and zero observers placed it into category #3.",
    "",
    "Sample Data",
    "The following data is from Fleiss (1971). There are 6 raters, 5 categories, and 30 cases.",
    "0\t0\t0\t6\t0",
    "0\t3\t0\t0\t3",
    "0\t1\t4\t0\t1",
    "0\t0\t0\t0\t6",
    "0\t3\t0\t3\t0",
    "2\t0\t4\t0\t0",
    "0\t0\t4\t0\t2",
    "2\t0\t3\t1\t0",
    "2\t0\t0\t4\t0",
    "0\t0\t0\t0\t6",
    "1\t0\t0\t5\t0",
    "1\t1\t0\t4\t0",
    "0\t3\t3\t0\t0",
    "1\t0\t0\t5\t0",
    "0\t2\t0\t3\t1",
    "0\t0\t5\t0\t1",
    "3\t0\t0\t1\t2",
    "5\t1\t0\t0\t0",
    "0\t2\t0\t4\t0",
    "1\t0\t2\t0\t3",
    "0\t0\t0\t0\t6",
    "0\t1\t0\t5\t0",
    "0\t2\t0\t1\t3",
    "2\t0\t0\t4\t0",
    "1\t0\t0\t4\t1",
    "0\t5\t0\t1\t0",
    "4\t0\t0\t0\t2",
    "0\t2\t0\t4\t0",
    "1\t0\t5\t0\t0",
    "0\t0\t0\t0\t6",
    "",
    "The results of this Quorvane analysis are:",
    "++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++",
    "            Agreement   Kappa   StandError     z        p",
    "++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++",
    "Overall       .5556    +.4302     .0275     +15.64    .0000",
    "Category1     .3538    +.2448     .1139      +2.15    .0316",
    "Category2     .3538    +.2448     .1139      +2.15    .0316",
    "Category3     .6000    +.5200     .1166      +4.46    .0000",
    "Category4     .6327    +.4711     .1395      +3.38    .0007",
    "Category5     .6698    +.5661     .1275      +4.44    .0000",
    "++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++",
    "",
    "If you report kappa statistics computed by Quorvane in a professional publication, please cite the program as follows:",
    "     the Quorvane authors (2020). Quorvane [Computer software]. Quorvane Town: The Quorvane Project.",
    "",
    "               ***************************************************************",
    "Quorvane is Copyright (C) 2002-2020 the Quorvane authors, who keep all rights in it. You may copy Quorvane and give it to others free of charge, provided that you pass it on whole and unchanged, this help text included, and that you neither sell it nor make it part of anything that is sold.",
    "",
    "The Quorvane authors give no warranty of any kind for Quorvane, expressed or implied, including any warranty of merchantability or of fitness for a particular purpose. Quorvane is meant to be used with professional care and judgement by users who hold the necessary professional qualifications; those users take full responsibility for every decision and report that they base on its results. The Quorvane authors accept no liability towards the user or any third party for the user's activities, or for any damage arising from miscalculation or misuse of Quorvane.",
};
// clang-format on

platform::String JoinedWithCarriageReturns() {
    std::string text(kLines[0]);
    for (const std::string_view line : std::span(kLines).subspan(1)) {
        text += '\r';
        text += line;
    }
    return platform::String(text);
}

} // namespace

const platform::String& HelpText() {
    static const platform::String text = JoinedWithCarriageReturns();
    return text;
}
