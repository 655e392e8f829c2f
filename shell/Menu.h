#pragma once

#include "platform/desktop/MenuBar.h"

#include <memory>

// The application's one menu bar: an empty-text menu, File, Edit, Window and another
// empty-text menu, fifteen items in all. It handles no item itself; it fixes the items' Names,
// texts, shortcuts and roles, and the windows bind their handlers to the Names.
class Menu : public platform::MenuBar {
  public:
    // Builds the whole tree, one top-level menu after the other.
    void Constructor();
    void Untitled0();
    void Untitled1();
    void Untitled2();
    void Untitled3();
    void Untitled4();

    // The one bar, stored by the accessor only once it has been built completely.
    static std::unique_ptr<Menu> _implicitInstance;

  private:
    // Looks the top-level menu up on the bar by Name and appends the item to it.
    void appendToMenu(const char* menuName, std::unique_ptr<platform::MenuItem> item);
};

// The one menu bar, built on the first call. A failure while it is built leaves nothing
// stored and passes on. Like every implicit-instance accessor it bears its class's name.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
class Menu& Menu();
#pragma GCC diagnostic pop
