#include "platform/desktop/Application.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

// Every desktop test binary runs inside one application run time, so widget tests can build
// windows, on Qt's offscreen platform unless told otherwise, and in one locale whatever the
// machine's. Listing the tests (CTest's discovery) starts no toolkit.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    ::setenv("LC_ALL", "C.UTF-8", /*overwrite=*/1);
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    platform::RunTime runTime(argc, argv);
    if (!listing)
        platform::_RunFrameworkInitialization({});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
