#include "shell/Menu.h"

#include "platform/core/Errors.h"

using platform::AppleMenuItem;
using platform::MenuItem;
using platform::QuitMenuItem;

std::unique_ptr<class Menu> Menu::_implicitInstance;

namespace {

// A new menu or item with every property set, in the order the bar sets them, before it is
// appended anywhere. A null shortcut is one that is never assigned (the separator's).
template <class Item = MenuItem>
std::unique_ptr<MenuItem> NewItem(const char* name, const char* text, const char* shortcut) {
    auto item = std::make_unique<Item>();
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnabled(true);
    item->SetValue(text);
    item->SetVisible(true);
    if (shortcut)
        item->SetShortcut(shortcut);
    return item;
}

} // namespace

void Menu::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
    Untitled4();
}

void Menu::appendToMenu(const char* menuName, std::unique_ptr<MenuItem> item) {
    MenuItem* menu = Child(menuName);
    if (!menu)
        throw platform::NilObjectException(std::string("The menu bar has no menu \"") + menuName +
                                           "\".");
    menu->AddMenu(std::move(item));
}

void Menu::Untitled0() {
    AddMenu(NewItem("UntitledMenu3", "", ""));
}

void Menu::Untitled1() {
    AddMenu(NewItem("UntitledMenu2", "File", ""));
    appendToMenu("UntitledMenu2", NewItem<QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
    appendToMenu("UntitledMenu2", NewItem("Print", "Print", "Cmd+P"));
    appendToMenu("UntitledMenu2", NewItem("UntitledMenu8", "", ""));
}

void Menu::Untitled2() {
    AddMenu(NewItem("UntitledMenu0", "Edit", ""));
    appendToMenu("UntitledMenu0", NewItem("EditUndo", "Undo", "Cmd+Z"));
    appendToMenu("UntitledMenu0", NewItem("UntitledMenu1", "-", nullptr));
    appendToMenu("UntitledMenu0", NewItem("EditCut", "Cut", "Cmd+X"));
    appendToMenu("UntitledMenu0", NewItem("EditCopy", "Copy", "Cmd+C"));
    appendToMenu("UntitledMenu0", NewItem("EditPaste", "Paste", "Cmd+V"));
    appendToMenu("UntitledMenu0", NewItem("EditClear", "", ""));
    appendToMenu("UntitledMenu0", NewItem("UntitledMenu7", "", ""));
}

void Menu::Untitled3() {
    AddMenu(NewItem("WindowMenu", "Window", ""));
    appendToMenu("WindowMenu", NewItem("ControlMenuItem", "Control", ""));
    appendToMenu("WindowMenu", NewItem("DescriptionMenuItem", "Description", ""));
    appendToMenu("WindowMenu", NewItem("AboutMenuItem", "About Quorvane", ""));
    appendToMenu("WindowMenu", NewItem("UntitledMenu6", "", ""));
    appendToMenu("WindowMenu", NewItem<AppleMenuItem>("UntitledMenu5", "", ""));
}

void Menu::Untitled4() {
    AddMenu(NewItem("UntitledMenu4", "", ""));
}

class Menu& Menu() {
    if (!Menu::_implicitInstance) {
        auto bar = std::make_unique<class Menu>();
        bar->Constructor();
        Menu::_implicitInstance = std::move(bar);
    }
    return *Menu::_implicitInstance;
}
