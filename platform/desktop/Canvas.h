#pragma once

#include "platform/desktop/Event.h"
#include "platform/desktop/Picture.h"
#include "platform/desktop/RectControl.h"

#include <cstdint>

namespace platform {

// A picture area. Its backdrop is drawn fitted into its rectangle (aspect ratio kept,
// centred, smoothly scaled); without a backdrop it draws nothing.
class Canvas : public RectControl {
  public:
    Canvas();
    ~Canvas() override;
    const char* ClassName() const override { return "Canvas"; }

    const Picture& Backdrop() const;
    void SetBackdrop(const Picture& picture);

    // A press in the area, in its own coordinates; true when handled.
    Event<bool(Canvas&, std::int64_t, std::int64_t)> MouseDown;
    // The pointer left the area.
    Event<void(Canvas&)> MouseExit;

  protected:
    void CreateWidget() override;
    bool CanTakeFocus() const override;
    void ApplyProperty(const LayoutProperty& property) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform
