#include "platform/desktop/Graphics.h"

#include "TemporaryFiles.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace platform::testing {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A job that a failure cuts off, with an exception unwinding through the end of its Graphics, is
// cancelled as one that the end of the run cuts off: a recording notes it, and a PDF file over
// an earlier file of that name leaves that file as it was and nothing beside it.
TEST(Graphics, AJobThatAFailureCutsOffIsCancelled) {
    const TemporaryFolder folder;
    const std::string path = folder.path() + "/printed.pdf";
    std::ofstream(path, std::ios::binary) << "an earlier file";
    const auto log = std::make_shared<PrintLog>();
    const std::function<std::unique_ptr<Graphics>()> jobs[] = {
        [&log] { return Graphics::ToRecording(log); },
        [&path] { return Graphics::ToPdfFile(path); },
    };
    for (const auto& job : jobs) {
        EXPECT_THROW(
            {
                const std::unique_ptr<Graphics> g = job();
                g->NextPage();
                throw std::runtime_error("cut off");
            },
            std::runtime_error);
    }
    EXPECT_TRUE(log->cancelled);
    EXPECT_FALSE(log->completed);
    EXPECT_EQ(Contents(path), "an earlier file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
} // namespace platform::testing
