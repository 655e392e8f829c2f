// Preloaded into the program, stands in for the toolkit's own word of its release: the one that
// QUORVANE_TEST_QT_RELEASE names, as if the program ran with another release than its own.

#include <cstdlib>

extern "C" const char* qVersion() noexcept {
    const char* release = std::getenv("QUORVANE_TEST_QT_RELEASE");
    return release ? release : "";
}
