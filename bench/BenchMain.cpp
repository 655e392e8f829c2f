#include "platform/Application.h"

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

// The one main of quorvane_bench; every other file here only registers its benchmarks. The
// application object outlives them and takes its windows down before it goes, in order.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
