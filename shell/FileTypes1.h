#pragma once

#include "platform/desktop/FileType.h"

#include <memory>
#include <vector>

// The application's file-type set: its one type, "text", the filter of the main window's
// open-file dialog.
namespace FileTypes1 {

extern std::shared_ptr<platform::FileType>& pText;
// The set's types in the order they were defined.
extern std::vector<std::shared_ptr<platform::FileType>>& pAllFileTypes;

// The type named "text" once _Initialize has run; nullptr before.
std::shared_ptr<platform::FileType> Text();

// Defines the type and registers it with the platform. Called once during start-up.
void _Initialize();

} // namespace FileTypes1
