#include "platform/desktop/Application.h"
#include "platform/desktop/Timer.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/Probes.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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

// Quit asked for while Get Data reads a file that would take minutes (64 GiB without a line
// end), from a timer at the action's first yield: the time from the request until the action
// has unwound and its handler has returned.
void BM_QuitDuringALongRead(benchmark::State& state) {
    const std::filesystem::path endless =
        std::filesystem::temp_directory_path() / "quorvane-endless-bench.txt";
    std::ofstream(endless, std::ios::binary).close();
    std::filesystem::resize_file(endless, std::uintmax_t{64} << 30);
    class ControlWnd& w = MainWindow();
    w.CasesFld().SetText("30");
    testing::ScriptedDialogs dialogs;
    Timer& requester = testing::AddStoppedTimer(w, "Requester");
    using Clock = std::chrono::steady_clock;
    Clock::time_point requested;
    requester.Action.Bind([&](Timer&) {
        requested = Clock::now();
        Quit(0);
    });
    for (auto _ : state) {
        // The first yield of the action then repaints and lets the timer fire.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        dialogs.QueueOpenFile(endless.string());
        requester.SetRunMode(1);
        testing::Click(w.CalculateBtn());
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - requested).count());
        testing::ResetRequestedExitCode();
    }
    std::filesystem::remove(endless);
}
BENCHMARK(BM_QuitDuringALongRead)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(50);

} // namespace
