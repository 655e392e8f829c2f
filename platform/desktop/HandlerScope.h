#pragma once

#include <functional>

namespace platform::detail {

// Thrown by the yield once the run has been asked to end (Quit, or the close of a window that
// quits): it unwinds the running handler, which the handler boundary ends without a report.
// No std::exception, so that nothing that catches failures takes it for one.
struct RunEnding {};

// Marks an event handler as running for as long as it lives; Guarded makes one around every
// handler. Handlers nest, since a yield inside one lets timers run theirs. When the outermost
// handler returns, the busy cursor goes and what was put off until then runs.
class HandlerScope {
  public:
    HandlerScope() noexcept;
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// Whether an event handler is running now.
bool handlerIsRunning() noexcept;

// Runs `action` when no handler is running: at once when none is, else once the outermost one
// has returned. A window closed inside a handler is deleted this way, so that no handler, at
// whatever depth, goes on with a deleted window.
void whenHandlersReturn(std::function<void()> action);

// For the yield: shows the busy cursor once the outermost handler has been at work for a
// moment, so that the user sees the window working and not hung.
void noteWorkGoesOn();

// Puts the busy cursor away while the user is asked something in a modal dialog; the work's
// moment counts afresh afterwards.
// The user's input reaches the dialog meanwhile, also when a long action holds it.
class WaitingForUser {
  public:
    WaitingForUser();
    ~WaitingForUser();
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

  private:
    bool m_inputWasHeld;
};

} // namespace platform::detail
