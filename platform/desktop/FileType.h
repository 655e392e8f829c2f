#pragma once

#include "platform/core/String.h"

namespace platform {

// A named file type that the open-file dialog can filter by once it is registered. Setting any
// attribute first withdraws the registration; converting the type to text registers it.
class FileType {
  public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    const String& Name() const { return m_name; }
    void SetName(const String& value);
    // Extensions separated by ";" (a leading "." is optional); empty for none.
    const String& Extensions() const { return m_extensions; }
    void SetExtensions(const String& value);
    const String& MacType() const { return m_macType; }
    void SetMacType(const String& value);
    const String& MacCreator() const { return m_macCreator; }
    void SetMacCreator(const String& value);
    const String& MimeType() const { return m_mimeType; }
    void SetMimeType(const String& value);
    bool Imported() const { return m_imported; }
    void SetImported(bool value);
    const String& ConformsTo() const { return m_conformsTo; }
    void SetConformsTo(const String& value);
    const String& UTI() const { return m_uti; }
    void SetUTI(const String& value);

    bool IsRegistered() const { return m_registered; }

    // Conversion to text: registers the type (handing its Name, MacCreator, MacType, Extensions
    // and UTI to the platform) unless it is registered already, and returns its Name.
    String ToText();
    operator String() { return ToText(); }

  private:
    void withdraw();

    String m_name, m_extensions, m_macType, m_macCreator, m_mimeType, m_conformsTo, m_uti;
    bool m_imported = false;
    bool m_registered = false;
};

// The registered type of that name (the latest registered, if several share it); nullptr when
// none is.
const FileType* FindRegisteredFileType(const String& name);

} // namespace platform
