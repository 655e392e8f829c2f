#include "platform/desktop/Application.h"
#include "shell/Menu.h"
#include "shell/Quorvane.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

// The one main of quorvane_bench; every other file here only registers its benchmarks. The
// run time outlives them and takes their windows down before it goes. As in the program, the
// application object carries the menu bar, so document windows are measured with it. The
// benchmarks run headless unless told otherwise.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    platform::RunTime runTime(argc, argv);
    platform::_RunFrameworkInitialization({});
    Quorvane application;
    application.SetMenuBar(Menu());
    platform::_RuntimeRegisterAppObject(application);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
