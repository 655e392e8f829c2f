#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace platform::detail {

// Starts the toolkit as this application needs it: its dialogs are the toolkit's own widgets,
// list files by name only and keep no settings between runs. Where no display can be opened,
// the process ends here with status 1 and one line on the standard error; where the toolkit
// cannot start for another reason, with status 1 and the toolkit's own lines. Started with
// another release of the toolkit than it was built with, it ends the same way, with the line of
// releaseMismatch.
std::unique_ptr<QApplication> createToolkit(int& argc, char** argv);

// The platform uses the toolkit's private interface, whose classes and their layout belong to
// the one release it was built with: with any other, it would misread memory unseen. The line
// that says so, naming both releases; nothing when they are the same.
std::optional<std::string> releaseMismatch(const std::string& programName, const char* builtWith,
                                           const char* runningWith);

} // namespace platform::detail
