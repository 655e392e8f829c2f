#pragma once

#include "platform/desktop/Event.h"
#include "platform/desktop/RectControl.h"

namespace platform {

class PushButton : public RectControl {
  public:
    PushButton();
    ~PushButton() override;
    const char* ClassName() const override { return "PushButton"; }

    String Caption() const;
    void SetCaption(const String& caption);
    bool Default() const;
    void SetDefault(bool isDefault);

    // Raised when the user presses the button.
    Event<void(PushButton&)> Action;

  protected:
    void CreateWidget() override;
    bool TakesClickFocus() const override { return false; }
    void ApplyProperty(const LayoutProperty& property) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
