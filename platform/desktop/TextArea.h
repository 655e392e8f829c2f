#pragma once

#include "platform/desktop/RectControl.h"
#include "platform/desktop/StyledTextPrinter.h"

#include <cstdint>
#include <memory>

namespace platform {

class Graphics;

// A multi-line text area. It keeps the exact text it is given, line ends included: Text()
// returns what SetText and SetSelText put there. Lines that the user edits end in a carriage
// return. Positions count characters of Text().
//
// Appending costs the piece, not the text already there: SetSelText at the end of the text,
// and SetText with a text that extends the current one (`area.SetText(area.Text() + piece)`).
class TextArea : public RectControl {
  public:
    TextArea();
    ~TextArea() override;
    const char* ClassName() const override { return "TextArea"; }

    // The whole text (no copy of the characters is made).
    String Text() const;
    void SetText(const String& text);

    // Start of the selection (the insertion point when nothing is selected); Len(Text()) is
    // the end of the text.
    std::int64_t SelStart() const;
    // Puts the insertion point there, selecting nothing; clamped to the text.
    void SetSelStart(std::int64_t position);
    std::int64_t SelLength() const;
    void SetSelLength(std::int64_t length);
    String SelText() const;
    // Replaces the selection with `text` (inserts it at the insertion point) and puts the
    // insertion point after it.
    void SetSelText(const String& text);

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);

    // A printer of the whole text at `width` page units.
    std::unique_ptr<StyledTextPrinter> styledTextPrinter(Graphics& g, std::int64_t width) const;

  protected:
    void CreateWidget() override;
    void ApplyProperty(const LayoutProperty& property) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
