#include "platform/Application.h"

#include <cstring>
#include <gtest/gtest.h>

// Every test binary runs inside one application run time, so widget tests can build windows.
// Listing the tests (CTest's discovery, which runs without the offscreen platform) needs none.
int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    platform::RunTime runTime(argc, argv);
    if (!listing)
        platform::_RunFrameworkInitialization({});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
