#pragma once

#include "platform/desktop/Graphics.h"

class QFont;
class QPrinter;

namespace platform {

struct Graphics::Surface {
    virtual ~Surface() = default;
    virtual void newPage() = 0;
    // Draws one line of text with its top-left corner at x, y; `ascent` places the baseline.
    virtual void drawLine(double x, double y, double ascent, const std::string& text,
                          const QFont& font) = 0;
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
};

namespace detail {
// A job on a printer that the print dialog set up.
std::unique_ptr<Graphics> graphicsForPrinter(std::unique_ptr<QPrinter> printer);
} // namespace detail

} // namespace platform
