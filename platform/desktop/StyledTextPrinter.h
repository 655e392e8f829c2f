#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class Graphics;
class String;
class TextArea;

namespace detail {
struct FontDescription;
}

// Prints a text area's text block by block on the pages of a print job. The text is laid out
// in the area's font at the printer's width, in page units, with the area's tab stops; lines
// longer than the width wrap.
class StyledTextPrinter {
  public:
    ~StyledTextPrinter();
    StyledTextPrinter(const StyledTextPrinter&) = delete;
    StyledTextPrinter& operator=(const StyledTextPrinter&) = delete;

    // True once all of the text has been drawn.
    bool Eof() const;
    // Draws, with its top-left corner at x, y of the current page, as many whole lines of the
    // text not yet drawn as fit into `height` (at least one), and moves past them.
    void DrawBlock(std::int64_t x, std::int64_t y, std::int64_t height);
    std::int64_t Width() const;
    // Height of one line, in page units.
    double LineHeight() const;

  private:
    friend class TextArea;
    struct Impl;
    explicit StyledTextPrinter(std::unique_ptr<Impl> impl);
    // Lays `text` out in `font` at `width` page units, for the pages of g.
    static std::unique_ptr<StyledTextPrinter> layOut(Graphics& g, std::int64_t width,
                                                     const detail::FontDescription& font,
                                                     const String& text);
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
