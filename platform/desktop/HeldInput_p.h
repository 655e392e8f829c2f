#pragma once

// Shared by the platform's own sources; not for the application's code.

#include <functional>

namespace platform::detail {

// While a long action yields, the user's input waits until the action has ended, so that no
// handler starts inside another; only the ways of ending the run come through at once: a
// window's close request, the Quit item chosen from its menu, and the Quit shortcut. Input that
// waits is delivered in the order it came, once the outermost handler has returned and the
// event loop runs again.
//
// The yield holds input while it lets the toolkit deliver events; a dialog that waits for the
// user lets it flow again for as long as it is open.
class InputHold {
  public:
    explicit InputHold(bool hold) : m_wasHeld(setInputHeld(hold)) {}
    ~InputHold() { setInputHeld(m_wasHeld); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    // Holds input from now on, or lets it flow; returns whether it was held before.
    static bool setInputHeld(bool hold);

  private:
    bool m_wasHeld;
};

// Whether input waits now.
bool inputIsHeld() noexcept;

// Puts off a delivery of input until the outermost handler has returned, after what was held
// before it.
void holdUntilTheActionEnds(std::function<void()> delivery);

} // namespace platform::detail
