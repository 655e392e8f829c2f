#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <functional>

namespace platform::detail {

// While a long action yields, the user's input waits until the action has ended, so that no
// handler starts inside another; only the ways of ending the run come through at once: a
// window's close request, the Quit shortcut, a press on a menu bar with what follows it until
// its release, and everything while a menu is open, from which Quit can be chosen.
//
// Input is held as the desktop reports it, before the toolkit has made anything of it. Once the
// outermost handler has returned, it is handed back to the toolkit in the order it came, one
// piece per turn of the event loop, as if it had only just arrived: keys go to the window and
// control that have the focus then, input for a window that has gone or that a modal dialog
// now blocks is dropped, a touch or a pen gives the mouse events it gives at other times, and a
// modal dialog that one piece opens receives the next ones. Input that comes meanwhile waits
// behind it.
//
// The yield holds input while it lets the toolkit deliver events; a dialog that waits for the
// user lets it flow again for as long as it is open.
//
// A key goes one way from its press to its release, as a press of a mouse button does until the
// last button is up: a release goes the way its press went, so no control gets a release without
// its press, or a press whose release went elsewhere; a release whose press came before the
// toolkit started goes nowhere.

// Puts the holder where the desktop's input enters the toolkit, once the toolkit has started, so
// that it sees every press from the first.
void installInputHolder();
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

// Whether held input is still to be delivered.
bool heldInputWaits() noexcept;

} // namespace platform::detail
