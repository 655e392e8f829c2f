#include "platform/testing/Drivers.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace platform;

// 999 cases of 25 categories rated by 5 where the window is told 6: every case is flagged, so
// every one of them is echoed with its warning.
std::string WriteAllFlaggedFile() {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "quorvane-getdata-bench.txt";
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 999; ++i) {
        for (int j = 0; j < 25; ++j) {
            if (j > 0)
                out << '\t';
            out << ((i + j) % 5 == 0 ? 1 : 0);
        }
        out << '\r';
    }
    return path.string();
}

class ControlWnd& MainWindow() {
    class ControlWnd& w = ControlWnd();
    w.ObserversFld().SetText("6");
    w.CasesFld().SetText("999");
    w.CatsFld().SetText("25");
    return w;
}

// The Get Data action without its open-file dialog, the report area's document and a repaint
// included: the events the action leaves pending are delivered inside the timing.
void BM_GetDataAllFlagged(benchmark::State& state) {
    const std::string file = WriteAllFlaggedFile();
    class ControlWnd& w = MainWindow();
    testing::ScriptedDialogs dialogs;
    for (auto _ : state) {
        state.PauseTiming();
        w.ResultsFld().SetText("");
        testing::ProcessEvents();
        dialogs.QueueOpenFile(file);
        state.ResumeTiming();
        w.CalculateBtn_Action(w.CalculateBtn());
        testing::ProcessEvents();
    }
    state.counters["chars"] = static_cast<double>(w.ResultsFld().Text().length());
    std::filesystem::remove(file);
}
BENCHMARK(BM_GetDataAllFlagged)->Unit(benchmark::kMillisecond);

} // namespace
