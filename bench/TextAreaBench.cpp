#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace platform;

class BenchWnd : public Window {
  public:
    std::string_view FullClassName() const override { return "TextAreaBench.BenchWnd"; }
};

// A report's worth of appends: 999 pieces of about 120 characters, each put at the end of the
// text the way the report does it (insertion point to the end, then the piece).
void AppendReport(TextArea& area) {
    const String piece(std::string(118, 'x') + "\r");
    for (int i = 0; i < 999; ++i) {
        area.SetSelStart(area.Text().length());
        area.SetSelText(piece);
    }
}

struct Fixture {
    Fixture() {
        window = new BenchWnd();
        window->Constructor();
        auto control = std::make_unique<TextArea>();
        control->Constructor();
        area = control.get();
        window->_AddControl("Area", std::move(control));
        area->SetBounds(0, 0, 460, 230);
    }
    BenchWnd* window = nullptr;
    TextArea* area = nullptr;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// The n-th report in a row: the cost must not grow with the text already there. The events
// that follow the appends are part of it, since the document may take the text only then.
void BM_NthReport(benchmark::State& state) {
    TextArea& area = *fixture().area;
    const auto reportsBefore = state.range(0) - 1;
    for (auto _ : state) {
        state.PauseTiming();
        area.SetText("");
        for (std::int64_t i = 0; i < reportsBefore; ++i) {
            AppendReport(area);
            testing::ProcessEvents();
        }
        state.ResumeTiming();
        AppendReport(area);
        testing::ProcessEvents();
    }
}
BENCHMARK(BM_NthReport)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

// The other way the text grows: the whole text given anew with the piece at its end.
void BM_SetTextAppend(benchmark::State& state) {
    TextArea& area = *fixture().area;
    const String piece(std::string(118, 'y') + "\r");
    for (auto _ : state) {
        state.PauseTiming();
        area.SetText("");
        for (std::int64_t i = 0; i < (state.range(0) - 1) * 999; ++i) {
            area.SetText(area.Text() + piece);
            if (i % 999 == 998)
                testing::ProcessEvents();
        }
        testing::ProcessEvents();
        state.ResumeTiming();
        for (int i = 0; i < 999; ++i)
            area.SetText(area.Text() + piece);
        testing::ProcessEvents();
    }
}
BENCHMARK(BM_SetTextAppend)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace
