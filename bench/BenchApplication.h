#pragma once

#include <QApplication>
#include <memory>

namespace bench {

// The one application of the benchmarks, made on first use. Benchmarks run headless unless
// told otherwise.
inline void EnsureApplication() {
    static std::unique_ptr<QApplication> app;
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
}

} // namespace bench
