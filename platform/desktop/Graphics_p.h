#pragma once

#include "platform/desktop/Graphics.h"

class QPrinter;
class QTextLayout;

namespace platform {

// Destroying a surface completes its job, unless it was cancelled before; a failure to complete
// it goes to the report of unhandled failures, since the destruction throws nothing.
struct Graphics::Surface {
    virtual ~Surface() = default;
    // Ends the job without completing it: no page goes to the printer, and the file that the
    // job was writing, if any, never reaches its path.
    virtual void cancel() = 0;
    virtual void newPage() = 0;
    // Draws line `line` of the layout with its top-left corner at x, y: the glyphs where the
    // layout put them, so that tabs stand at the layout's tab stops.
    virtual void drawLine(double x, double y, const QTextLayout& layout, int line) = 0;
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
};

namespace detail {
// A job on a printer that the print dialog set up.
std::unique_ptr<Graphics> graphicsForPrinter(std::unique_ptr<QPrinter> printer);
} // namespace detail

} // namespace platform
