#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/PrintTextArea.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace platform;

class PrintWnd : public Window {
  public:
    std::string_view FullClassName() const override { return "PrintBench.PrintWnd"; }
};

// 820 report lines of 59 characters: some twenty pages, as many as the fixed-pitch font
// installed spaces them (the 'pages' counter says how many).
TextArea& AreaWithTwentyPages() {
    static TextArea* area = [] {
        auto* window = new PrintWnd();
        window->Constructor();
        auto control = std::make_unique<TextArea>();
        control->Constructor();
        TextArea* made = control.get();
        window->_AddControl("Area", std::move(control));
        made->SetBounds(0, 0, 460, 230);
        const String line(std::string("Category12") + std::string(48, '9') + "\r");
        for (int i = 0; i < 820; ++i) {
            made->SetSelStart(made->Text().length());
            made->SetSelText(line);
        }
        return made;
    }();
    return *area;
}

void BM_PrintTwentyPagesToPdf(benchmark::State& state) {
    TextArea& area = AreaWithTwentyPages();
    const std::string pdf =
        (std::filesystem::temp_directory_path() / "quorvane-print-bench.pdf").string();
    testing::ScriptedDialogs dialogs;
    for (auto _ : state) {
        dialogs.QueuePrintToPdf(pdf);
        PrintTextArea(area);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    const auto log = dialogs.QueuePrintRecording();
    PrintTextArea(area);
    state.counters["pages"] = static_cast<double>(log->pages.size());
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_PrintTwentyPagesToPdf)->Unit(benchmark::kMillisecond);

} // namespace
