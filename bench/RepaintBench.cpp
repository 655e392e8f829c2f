#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/LongWork.h"
#include "platform/testing/ScriptedDialogs.h"
#include "shell/ControlWnd.h"
#include "shell/PrintTextArea.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace platform;

// 999 lines of 100 KB: five counts that add up to 6, then a field of padding that the reader
// stores nowhere, which makes every line span two 64 KiB chunks.
std::string WriteLongLinesFile() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("quorvane-repaint-bench-" + std::to_string(::getpid()));
    std::ofstream out(path, std::ios::binary);
    const std::string padding(100 * 1000 - 10, '0');
    for (int i = 0; i < 999; ++i)
        out << (i % 6) << '\t' << 1 << '\t' << 0 << '\t' << (5 - i % 6) << "\t0\t" << padding
            << '\r';
    return path.string();
}

// The longest time that the main window goes without a repaint while Get Data reads that file,
// pressed as the user presses it; the report is appended and the window painted as usual.
void BM_GetDataLongestRepaintInterval(benchmark::State& state) {
    const std::string file = WriteLongLinesFile();
    class ControlWnd& w = ControlWnd();
    w.ObserversFld().SetText("6");
    w.CasesFld().SetText("999");
    w.CatsFld().SetText("5");
    testing::ScriptedDialogs dialogs;
    testing::RepaintRecorder repaints(w);
    double longest = 0;
    double fewestRepaints = 1e9;
    for (auto _ : state) {
        state.PauseTiming();
        w.ResultsFld().SetText("");
        testing::ProcessEvents();
        dialogs.QueueOpenFile(file);
        state.ResumeTiming();
        repaints.Start();
        testing::Click(w.CalculateBtn());
        repaints.Stop();
        longest = std::max(longest, repaints.LongestIntervalSeconds());
        fewestRepaints = std::min(fewestRepaints, static_cast<double>(repaints.Repaints()));
    }
    state.counters["longest_interval_ms"] = 1000 * longest;
    state.counters["repaints"] = fewestRepaints;
    std::filesystem::remove(file);
}
BENCHMARK(BM_GetDataLongestRepaintInterval)->Unit(benchmark::kMillisecond);

class PrintRepaintWnd : public Window {
  public:
    std::string_view FullClassName() const override { return "RepaintBench.PrintRepaintWnd"; }
};

// The longest time that a window goes without a repaint while 200 pages of its text area print
// to a PDF file, one page per pass of the printing loop.
void BM_PrintLongestRepaintInterval(benchmark::State& state) {
    auto* window = new PrintRepaintWnd();
    window->Constructor();
    auto control = std::make_unique<TextArea>();
    control->Constructor();
    TextArea& area = *control;
    window->_AddControl("Area", std::move(control));
    area.SetBounds(0, 0, 460, 230);
    std::string text;
    const std::string line = std::string("Category12") + std::string(48, '9') + "\r";
    for (int i = 0; i < 200 * 41; ++i)
        text += line;
    area.SetText(text);
    testing::ProcessEvents();
    const std::string pdf =
        (std::filesystem::temp_directory_path() / "quorvane-repaint-bench.pdf").string();
    testing::ScriptedDialogs dialogs;
    testing::RepaintRecorder repaints(*window);
    double longest = 0;
    for (auto _ : state) {
        dialogs.QueuePrintToPdf(pdf);
        repaints.Start();
        PrintTextArea(area);
        repaints.Stop();
        longest = std::max(longest, repaints.LongestIntervalSeconds());
    }
    state.counters["longest_interval_ms"] = 1000 * longest;
    std::filesystem::remove(pdf);
    window->Close();
}
BENCHMARK(BM_PrintLongestRepaintInterval)->Unit(benchmark::kMillisecond);

} // namespace
