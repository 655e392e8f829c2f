#include <cstdlib>
#include <gtest/gtest.h>

// The main of the core's and the model's test binaries, which start no toolkit. Like every
// test binary it runs in one locale, whatever the machine's or the shell's: the system's date
// and time texts would otherwise depend on it.
int main(int argc, char** argv) {
    ::setenv("LC_ALL", "C.UTF-8", /*overwrite=*/1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
