#include "MemoryLines.h"
#include "WidgetTestSupport.h"
#include "platform/LineSplitter.h"
#include "platform/TestingLongWork.h"
#include "platform/Yield.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace platform::testing {
namespace {

class LongWorkTest : public ::testing::Test {
  protected:
    void TearDown() override {
        while (Window* open = _GetImplicitWindow("LongWorkTest.A"))
            CloseWindow(*open);
        ProcessEvents();
    }
    ScriptedDialogs dialogs;
};

// A read that takes long makes few yields, one per chunk: 100 chunks of one long line, from a
// source as slow as a network disk, still let the window repaint several times.
TEST_F(LongWorkTest, WindowRepaintsWhileOneLongLineIsRead) {
    TestWnd& window = OpenTestWindow("LongWorkTest.A");
    ProcessEvents();
    const std::string line(100 * 1024, 'x');
    LineSplitter splitter(
        [source = MemorySource(line)](char* into, std::size_t size) mutable {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            return source(into, size);
        },
        {1024, 2048});
    RepaintRecorder repaints(window);
    repaints.Start();
    EXPECT_EQ(splitter.NextLine(), line.substr(0, 2048));
    EXPECT_GE(repaints.Repaints(), 2);
}

} // namespace
} // namespace platform::testing
