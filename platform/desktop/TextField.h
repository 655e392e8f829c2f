#pragma once

#include "platform/desktop/Event.h"
#include "platform/desktop/RectControl.h"

#include <cstdint>

namespace platform {

// A one-line text field.
class TextField : public RectControl {
  public:
    TextField();
    ~TextField() override;
    const char* ClassName() const override { return "TextField"; }

    String Text() const;
    // Replaces the text; it does not pass through KeyDown.
    void SetText(const String& text);
    // 0: no limit.
    std::int64_t MaximumCharactersAllowed() const;
    void SetMaximumCharactersAllowed(std::int64_t count);
    // 0 and 1 left, 2 centred, 3 right.
    std::int64_t TextAlignment() const;
    void SetTextAlignment(std::int64_t alignment);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);

    // Raised for each key pressed while the field has the focus, with the key's text ("" for
    // keys that type nothing, such as the arrows); true consumes the key.
    Event<bool(TextField&, const String&)> KeyDown;

  protected:
    void CreateWidget() override;
    void ApplyProperty(const LayoutProperty& property) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
