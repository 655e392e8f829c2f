#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

// Every test binary runs inside one application object, so widget tests can build windows.
// Listing the tests (CTest's discovery, which runs without the offscreen platform) needs none.
int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<QApplication> app;
    if (!listing)
        app = std::make_unique<QApplication>(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
