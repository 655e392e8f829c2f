#include "platform/desktop/MenuItem.h"

#include "platform/core/Errors.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Menus_p.h"

#include <string>

namespace platform {

namespace detail {
void (*menuOperationProbe)(std::string_view operation) = nullptr;
} // namespace detail

namespace {
void enter(std::string_view operation) {
    if (detail::menuOperationProbe)
        detail::menuOperationProbe(operation);
}
} // namespace

MenuItem::MenuItem() : m_impl(std::make_unique<Impl>()) {}
MenuItem::~MenuItem() = default;

void MenuItem::Constructor() {
    enter("Constructor");
    detail::requireMainThread("A menu item");
    *m_impl = Impl{};
}

const String& MenuItem::Name() const {
    return m_impl->name;
}

void MenuItem::SetName(const String& name) {
    enter("Name");
    m_impl->name = name;
}

const String& MenuItem::Value() const {
    return m_impl->value;
}

void MenuItem::SetValue(const String& text) {
    enter("Value");
    m_impl->value = text;
}

const String& MenuItem::Shortcut() const {
    return m_impl->shortcut;
}

void MenuItem::SetShortcut(const String& shortcut) {
    enter("Shortcut");
    m_impl->shortcut = shortcut;
    m_impl->shortcutSet = true;
}

bool MenuItem::HasShortcutSet() const {
    return m_impl->shortcutSet;
}

bool MenuItem::AutoEnabled() const {
    return m_impl->autoEnabled;
}

void MenuItem::SetAutoEnabled(bool enabled) {
    enter("AutoEnabled");
    m_impl->autoEnabled = enabled;
}

bool MenuItem::Visible() const {
    return m_impl->visible;
}

void MenuItem::SetVisible(bool visible) {
    enter("Visible");
    m_impl->visible = visible;
}

void MenuItem::AddMenu(std::unique_ptr<MenuItem> item) {
    enter("AddMenu");
    if (!item)
        throw NilObjectException("No menu item to append to \"" + m_impl->name.str() + "\".");
    m_impl->children.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const String& name) const {
    enter("Child");
    for (const auto& child : m_impl->children)
        if (child->Name() == name)
            return child.get();
    return nullptr;
}

std::int64_t MenuItem::Count() const {
    return static_cast<std::int64_t>(m_impl->children.size());
}

MenuItem& MenuItem::Item(std::int64_t index) const {
    if (index < 0 || index >= Count())
        throw NilObjectException("The menu \"" + m_impl->name.str() + "\" has no item " +
                                 std::to_string(index) + ".");
    return *m_impl->children[static_cast<std::size_t>(index)];
}

} // namespace platform
