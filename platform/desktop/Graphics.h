#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// What a recording page surface saw: the lines drawn on each page, in page units.
struct PrintLog {
    struct Line {
        double x = 0;
        double y = 0; // top of the line
        std::string text;
    };
    std::vector<std::vector<Line>> pages{{}};
    int nextPageCalls = 0;
    bool completed = false; // the job ended as a whole: its Graphics was destroyed
    bool cancelled = false; // the job was cut off: nothing of it was to be kept
};

// The page surface of a print job. The page unit is the point (1/72 inch); the origin is the
// top-left corner of the page's printable area. The job completes when the Graphics is
// destroyed, but for one that does not reach its end: one that the end of the run interrupts
// (Quit, or the close of the window that quits, while it prints) or that a failure cuts off (an
// exception unwinding through its destruction). That job is cancelled, so that nothing of it
// reaches a printer. A job printing to a file writes it aside and puts it in place only once it
// is complete: until then an earlier file of that name stays as it was, and a cancelled job
// leaves no file behind. A write that fails is the platform's IOException: NextPage throws it
// when it finds one, which cuts the job off, and one found as the job completes goes to the
// report of unhandled failures.
class Graphics {
  public:
    struct Surface; // the device behind the pages

    explicit Graphics(std::unique_ptr<Surface> surface);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // Ends the current page and starts a new one.
    void NextPage();
    // The printable area of a page, in points.
    double PageWidth() const;
    double PageHeight() const;

    // A print job writing a PDF file (US Letter, half-inch margins).
    static std::unique_ptr<Graphics> ToPdfFile(const std::string& path);
    // A print job that only records what it is given.
    static std::unique_ptr<Graphics> ToRecording(std::shared_ptr<PrintLog> log);

    Surface& surface() { return *m_surface; }

  private:
    std::unique_ptr<Surface> m_surface;
    int m_unwindingAtStart; // exceptions under way as the job began
};

} // namespace platform
