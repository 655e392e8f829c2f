#pragma once

// Shared by the platform's own sources; not for the application's code.

#include "platform/core/String.h"

#include <QString>

namespace platform::detail {

inline QString toQt(const String& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.byteSize()));
}

inline String fromQt(const QString& text) {
    return String(text.toStdString());
}

} // namespace platform::detail
