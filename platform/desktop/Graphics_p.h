#pragma once

#include "platform/desktop/Graphics.h"

class QPrinter;
class QTextLayout;

namespace platform {

struct Graphics::Surface {
    virtual ~Surface() = default;
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
