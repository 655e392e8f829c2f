#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <memory>

class QApplication;

namespace platform::detail {

// Starts the toolkit as this application needs it: its dialogs are the toolkit's own widgets,
// list files by name only and keep no settings between runs. Where no display can be opened,
// the process ends here with status 1 and one line on the standard error; where the toolkit
// cannot start for another reason, with status 1 and the toolkit's own lines.
std::unique_ptr<QApplication> createToolkit(int& argc, char** argv);

} // namespace platform::detail
