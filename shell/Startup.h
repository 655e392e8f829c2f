#pragma once

// The process from its entry to its exit. `main` hands over to RunQuorvane, which returns the
// exit status: 0 after the main window closed or Quit was chosen, 1 when start-up failed
// before the event loop ran.
int RunQuorvane(int argc, char** argv);

// The start-up order: the early phase, the hand-over of the late phase, the event loop. A
// failure in any step is reported once through the report of unhandled failures, and the steps
// after it do not run.
void _Main();
// Everything that is not a window: high-resolution support, the file type, the application
// object with its version record and menu bar.
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
// Application-level menu handlers: there are none, every handler belongs to a window.
void _ApplicationAddMenuHandlers();
// Called by the platform once it is ready: opens the default window.
void _LateStartup();
void _MakeDefaultView();
