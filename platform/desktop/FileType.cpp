#include "platform/desktop/FileType.h"

#include "platform/desktop/Application_p.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {
// What the platform was handed at registration, in the order it was handed over.
struct Registration {
    const FileType* type;
    String name, macCreator, macType, extensions, uti;
};
std::vector<Registration>& registry() {
    static std::vector<Registration> entries;
    return entries;
}
} // namespace

FileType::~FileType() {
    withdraw();
}

void FileType::withdraw() {
    if (!m_registered)
        return;
    auto& entries = registry();
    std::erase_if(entries, [this](const Registration& entry) { return entry.type == this; });
    m_registered = false;
}

#define QUORVANE_FILETYPE_SETTER(Setter, member)                                                   \
    void FileType::Setter(const String& value) {                                                   \
        withdraw();                                                                                \
        member = value;                                                                            \
    }
QUORVANE_FILETYPE_SETTER(SetName, m_name)
QUORVANE_FILETYPE_SETTER(SetExtensions, m_extensions)
QUORVANE_FILETYPE_SETTER(SetMacType, m_macType)
QUORVANE_FILETYPE_SETTER(SetMacCreator, m_macCreator)
QUORVANE_FILETYPE_SETTER(SetMimeType, m_mimeType)
QUORVANE_FILETYPE_SETTER(SetConformsTo, m_conformsTo)
QUORVANE_FILETYPE_SETTER(SetUTI, m_uti)
#undef QUORVANE_FILETYPE_SETTER

void FileType::SetImported(bool value) {
    withdraw();
    m_imported = value;
}

String FileType::ToText() {
    if (!m_registered) {
        registry().push_back({this, m_name, m_macCreator, m_macType, m_extensions, m_uti});
        m_registered = true;
        detail::trace("file type registered: " + m_name.str());
    }
    return m_name;
}

const FileType* FindRegisteredFileType(const String& name) {
    const auto& entries = registry();
    auto found = std::find_if(entries.rbegin(), entries.rend(),
                              [&name](const Registration& entry) { return entry.name == name; });
    return found == entries.rend() ? nullptr : found->type;
}

} // namespace platform
