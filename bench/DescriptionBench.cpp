#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"
#include "shell/DescriptionWnd.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace platform;

void CloseDescription() {
    if (Window* open = _GetImplicitWindow("DescriptionWnd.DescriptionWnd"))
        testing::CloseWindow(*open);
    testing::ProcessEvents();
}

// The question mark pressed in the main window: the Description window is built with the help
// text, laid out and painted.
void BM_OpenTheDescriptionWindow(benchmark::State& state) {
    class ControlWnd& main = ControlWnd();
    testing::ProcessEvents();
    for (auto _ : state) {
        state.PauseTiming();
        CloseDescription();
        state.ResumeTiming();
        main.CanvasQ_MouseDown(main.CanvasQ(), 5, 5);
        testing::ProcessEvents();
    }
}
BENCHMARK(BM_OpenTheDescriptionWindow)->Unit(benchmark::kMillisecond);

// The whole help text printed to a PDF file from the Description window's File menu.
void BM_PrintTheHelpTextToPdf(benchmark::State& state) {
    class DescriptionWnd& description = DescriptionWnd();
    const std::string pdf =
        (std::filesystem::temp_directory_path() / "quorvane-help-bench.pdf").string();
    testing::ScriptedDialogs dialogs;
    for (auto _ : state) {
        dialogs.QueuePrintToPdf(pdf);
        description._Print_Action();
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    const auto log = dialogs.QueuePrintRecording();
    description._Print_Action();
    state.counters["pages"] = static_cast<double>(log->pages.size());
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_PrintTheHelpTextToPdf)->Unit(benchmark::kMillisecond);

} // namespace
