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
    bool cancelled = false; // the job ended with the run: nothing of it was to be kept
};

// The page surface of a print job. The page unit is the point (1/72 inch); the origin is the
// top-left corner of the page's printable area. The job completes when the Graphics is
// destroyed, but for one that the end of the run interrupts (Quit, or the close of the window
// that quits, while it prints): that job is cancelled, so that nothing of it reaches a printer
// and a job printing to a file leaves no file behind.
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
};

} // namespace platform
