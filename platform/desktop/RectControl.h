#pragma once

#include "platform/desktop/Control.h"

#include <memory>

namespace platform {

namespace detail {
struct ControlAccess;
}

// A control with a place in its window. Left and Top count in points from the top-left corner
// of the window's content area, also for a control that lies inside another one.
class RectControl : public Control {
  public:
    RectControl();
    ~RectControl() override;

    // The platform's default construction: makes the control's widget. Every other operation
    // needs it done first (NilObjectException otherwise).
    void Constructor();

    std::int64_t Left() const;
    std::int64_t Top() const;
    std::int64_t Width() const;
    std::int64_t Height() const;
    void SetBounds(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);

    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    void SetFocus();
    // True when the control is its window's focus control (it holds the keyboard focus while
    // the window is active).
    bool HasFocus() const;
    String Tooltip() const;
    void SetTooltip(const String& text);
    std::int64_t TabIndex() const;
    void SetTabIndex(std::int64_t index);
    bool TabStop() const;
    void SetTabStop(bool stop);

  protected:
    virtual void CreateWidget() = 0;
    // Whether the control can take the focus at all (from a click, or from Tab when TabStop).
    virtual bool CanTakeFocus() const { return true; }
    // Whether a control that is no Tab stop still takes the focus when clicked.
    virtual bool TakesClickFocus() const { return true; }
    void ApplyProperty(const LayoutProperty& property) override;
    void AttachedTo(Window& window) override;
    void updateFocusPolicy();

  private:
    friend struct detail::ControlAccess;
    struct Impl;
    std::unique_ptr<Impl> m_rect;
};

} // namespace platform
