#pragma once

#include "platform/desktop/RectControl.h"

#include <cstdint>

namespace platform {

// Static text.
class Label : public RectControl {
  public:
    Label();
    ~Label() override;
    const char* ClassName() const override { return "Label"; }

    String Text() const;
    void SetText(const String& text);
    // 0x00RRGGBB.
    std::uint32_t TextColor() const;
    void SetTextColor(std::uint32_t rgb);
    // 0 and 1 left, 2 centred, 3 right.
    std::int64_t TextAlignment() const;
    void SetTextAlignment(std::int64_t alignment);

  protected:
    void CreateWidget() override;
    bool CanTakeFocus() const override { return false; }
    void ApplyProperty(const LayoutProperty& property) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
