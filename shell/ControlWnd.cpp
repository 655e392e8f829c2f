#include "shell/ControlWnd.h"

#include "calculator/AgreementReport.h"
#include "calculator/RatingMatrix.h"
#include "calculator/RatingsReader.h"
#include "calculator/Statistics.h"
#include "platform/core/Date.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Text.h"
#include "platform/desktop/Dialogs.h"
#include "shell/ControlWndLayout.h"
#include "shell/Pictures.h"
#include "shell/ReportAreaSink.h"

#include <memory>
#include <optional>

using namespace platform;
using namespace calculator;
using shell::ControlWndLayoutOf;
using shell::ControlWndWindowLayout;

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

    ReportAreaSink report(ResultsFld(), [this](double z) {
        Z = z;
        ZtoProb();
        return P;
    });
    WriteAgreementReport(*matrix, *arrays, counts, Date(), report);

    ResultsFld().SetEnabled(true);
    ResultsFld().SetVisible(true);
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

template <class C> C& ControlWnd::createControl(const char* name, Picture (*backdrop)()) {
    return CreateControl<C>(name, ControlWndLayoutOf(name), backdrop);
}

void ControlWnd::_CreateControls0() {
    createControl<TextField>("ObserversFld").KeyDown.Bind(*this, &ControlWnd::ObserversFld_KeyDown);
    createControl<TextField>("CasesFld").KeyDown.Bind(*this, &ControlWnd::CasesFld_KeyDown);
    createControl<TextField>("CatsFld").KeyDown.Bind(*this, &ControlWnd::CatsFld_KeyDown);
    createControl<PushButton>("ClearBtn").Action.Bind(*this, &ControlWnd::ClearBtn_Action);
    PushButton& getData = createControl<PushButton>("CalculateBtn");
    getData.Action.Bind(*this, &ControlWnd::CalculateBtn_Action);
    // All three buttons are marked Default; Return presses Get Data, the window's main action.
    SetDefaultButton(&getData);
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
    return ImplicitInstance<class ControlWnd>();
}
