#include "calculator/ControlWnd.h"

#include "calculator/ControlWndLayout.h"
#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "calculator/Report.h"
#include "calculator/ReportAppending.h"
#include "calculator/Statistics.h"
#include "platform/Date.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "platform/Yield.h"
#include "shell/Pictures.h"

#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

using namespace platform;
using namespace calculator;

void ControlWnd::CalculateBtn_Action(PushButton&) {
    auto matrix = std::make_unique<RatingMatrix>();
    auto arrays = std::make_unique<CategoryArrays>();

    const double raters = Val(ObserversFld().Text());
    const double cases = Val(CasesFld().Text());
    const double categories = Val(CatsFld().Text());
    if (raters == 0 && cases == 0 && categories == 0) {
        MsgBox("Specify number of raters, cases, and categories. Then click Get Data button to "
               "load data file.");
        ObserversFld().SetFocus();
        return;
    }
    if (raters < 2.0 || raters > 99.0) {
        MsgBox("Number of raters must range from 2-99");
        ObserversFld().SetFocus();
        return;
    }
    if (cases < 2.0 || cases > 999.0) {
        MsgBox("Number of cases must range from 2-999");
        CasesFld().SetFocus();
        return;
    }
    if (categories < 2.0 || categories > 25.0) {
        MsgBox("Number of categories must range from 2-25");
        CatsFld().SetFocus();
        return;
    }
    const Counts counts{static_cast<std::int64_t>(raters), static_cast<std::int64_t>(cases),
                        static_cast<std::int64_t>(categories)};

    std::optional<FolderItem> file = GetOpenFolderItem("text");
    if (!file)
        return;
    std::unique_ptr<TextInputStream> stream = file->OpenAsTextFile();
    if (!stream)
        return;
    ReadRatings(*stream, counts.k, *matrix); // closes the stream

    ComputeTotals(*matrix, counts);

    TextArea& results = ResultsFld();
    const Date now;
    AppendOldTextPlusPiece(results, DateLinePiece(now.ShortDate(), now.LongTime()));
    AppendOldTextPlusPiece(results, DataHeaderPiece());
    ForEachDataEchoPiece(*matrix, counts,
                         [&](const String& piece) { AppendOldTextPlusPiece(results, piece); });
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        if (CategoryIsEmpty(*matrix, j))
            AppendOldTextPlusPiece(results, EmptyCategoryWarningPiece(j));
        YieldToPlatform();
    }
    AppendOldTextPlusPiece(results, TwoEmptyLinesPiece());

    const OverallStatistics overall = ComputeOverallStatistics(*matrix, counts, *arrays);
    Z = overall.z;
    ZtoProb();
    InsertAtEnd(results, TableHeadPiece());
    InsertAtEnd(results,
                OverallRowPiece(overall.agreement, overall.kappa, overall.standardError, Z, P));

    ComputeCategoryStatistics(counts, *arrays);
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        Z = arrays->zValues[j];
        ZtoProb();
        arrays->pValues[j] = P;
        YieldToPlatform();
    }
    for (std::int64_t j = 1; j <= counts.k; ++j) {
        InsertAtEnd(results, CategoryRowPiece(j, arrays->agreements[j], arrays->kappas[j],
                                              arrays->standardErrors[j], arrays->zValues[j],
                                              arrays->pValues[j]));
        YieldToPlatform();
    }
    InsertAtEnd(results, TableFootPiece());

    results.SetEnabled(true);
    results.SetVisible(true);
}

void ControlWnd::ZtoProb() {
    P = TwoSidedNormalP(Z);
}

void ControlWnd::Layout() {
    _SetProperties(*this, ControlWndWindowLayout());
}

void ControlWnd::CreateControls() {
    _CreateControls0();
}

namespace {

const std::string& LayoutOf(const char* name) {
    for (const ControlLayout& control : ControlWndControlLayouts())
        if (std::string_view(control.name) == name)
            return control.data;
    throw NilObjectException(std::string("No layout data for the control ") + name);
}

} // namespace

// Steps 1 to 3 and 5 of making one control: create it, construct it, register it under its
// name, then look it up again to apply its layout data. A canvas gets its backdrop first.
template <class C> C& ControlWnd::createControl(const char* name, Picture (*backdrop)()) {
    auto control = std::make_unique<C>();
    control->Constructor();
    _AddControl(name, std::move(control));
    if constexpr (std::is_same_v<C, Canvas>)
        if (backdrop)
            _ControlByNameAs<Canvas>(name).SetBackdrop(backdrop());
    C& created = _ControlByNameAs<C>(name);
    _SetProperties(created, LayoutOf(name));
    return created;
}

void ControlWnd::_CreateControls0() {
    createControl<TextField>("ObserversFld").KeyDown.Bind(*this, &ControlWnd::ObserversFld_KeyDown);
    createControl<TextField>("CasesFld").KeyDown.Bind(*this, &ControlWnd::CasesFld_KeyDown);
    createControl<TextField>("CatsFld").KeyDown.Bind(*this, &ControlWnd::CatsFld_KeyDown);
    createControl<PushButton>("ClearBtn").Action.Bind(*this, &ControlWnd::ClearBtn_Action);
    createControl<PushButton>("CalculateBtn").Action.Bind(*this, &ControlWnd::CalculateBtn_Action);
    createControl<TextArea>("ResultsFld");
    Canvas& logo = createControl<Canvas>("Canvas1", &Quor);
    logo.MouseExit.Bind(*this, &ControlWnd::Canvas1_MouseExit);
    logo.MouseDown.Bind(*this, &ControlWnd::Canvas1_MouseDown);
    createControl<Label>("Label1");
    createControl<PushButton>("PrintBtn").Action.Bind(*this, &ControlWnd::PrintBtn_Action);
    createControl<Label>("observerstext");
    createControl<Label>("casetext");
    createControl<Label>("categorytext");
    createControl<Canvas>("CanvasQ", &Question48)
        .MouseDown.Bind(*this, &ControlWnd::CanvasQ_MouseDown);
}

TextField& ControlWnd::ObserversFld() {
    return _ControlByNameAs<TextField>("ObserversFld");
}
TextField& ControlWnd::CasesFld() {
    return _ControlByNameAs<TextField>("CasesFld");
}
TextField& ControlWnd::CatsFld() {
    return _ControlByNameAs<TextField>("CatsFld");
}
PushButton& ControlWnd::ClearBtn() {
    return _ControlByNameAs<PushButton>("ClearBtn");
}
PushButton& ControlWnd::CalculateBtn() {
    return _ControlByNameAs<PushButton>("CalculateBtn");
}
TextArea& ControlWnd::ResultsFld() {
    return _ControlByNameAs<TextArea>("ResultsFld");
}
Canvas& ControlWnd::Canvas1() {
    return _ControlByNameAs<Canvas>("Canvas1");
}
Label& ControlWnd::Label1() {
    return _ControlByNameAs<Label>("Label1");
}
PushButton& ControlWnd::PrintBtn() {
    return _ControlByNameAs<PushButton>("PrintBtn");
}
Label& ControlWnd::observerstext() {
    return _ControlByNameAs<Label>("observerstext");
}
Label& ControlWnd::casetext() {
    return _ControlByNameAs<Label>("casetext");
}
Label& ControlWnd::categorytext() {
    return _ControlByNameAs<Label>("categorytext");
}
Canvas& ControlWnd::CanvasQ() {
    return _ControlByNameAs<Canvas>("CanvasQ");
}

class ControlWnd& ControlWnd() {
    Window* w = _GetImplicitWindow("ControlWnd.ControlWnd");
    if (!w)
        w = &NewWindow<class ControlWnd>();
    if (auto* main = dynamic_cast<class ControlWnd*>(w))
        return *main;
    throw TypeMismatchException("The open window \"ControlWnd.ControlWnd\" is no main window.");
}
