#pragma once

#include "platform/desktop/Application.h"

// The application class. Its one object carries the version record and the menu bar; it
// implements no application event and registers no menu handler, since every handler belongs
// to a window.
class Quorvane : public platform::Application {
  public:
    // Run right after the object is made; there is nothing to set up.
    void Constructor() {}
};
