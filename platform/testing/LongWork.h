#pragma once

// Test support for long work: whether the busy cursor shows, and a record of a window's
// repaints. Only tests, benchmarks and fuzzers link it.

#include <cstdint>
#include <memory>

namespace platform {

class Window;

namespace testing {

// Whether the pointer shows the busy cursor over the application's windows.
bool BusyCursorShows();

// Records when a window repaints. While the recorder lives, it marks the window's content for
// repainting again and again, so that every chance the platform takes to repaint shows.
class RepaintRecorder {
  public:
    explicit RepaintRecorder(Window& window);
    ~RepaintRecorder();
    RepaintRecorder(const RepaintRecorder&) = delete;
    RepaintRecorder& operator=(const RepaintRecorder&) = delete;

    // Starts a record from now, and ends it.
    void Start();
    void Stop();
    std::int64_t Repaints() const;
    // The longest time, in seconds, between the start, the repaints in between and the stop.
    double LongestIntervalSeconds() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace testing
} // namespace platform
