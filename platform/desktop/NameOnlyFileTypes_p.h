#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

class QApplication;
class QWidget;

namespace platform::detail {

// Gives every file list inside `window` (the open-file dialog's, the completer of the print
// dialog's output-file field) icons and type names taken from each entry's name and kind alone.
// The toolkit's own provider reads the first bytes of every listed file without a known
// extension to guess its type: listing a folder opens those files, and a file whose read never
// ends (/proc/kmsg) hangs the dialog.
void listFilesByNameOnly(QWidget& window);

// Does the same for every window the toolkit shows, so that the dialogs it builds by itself
// (the print dialog's Browse) list by name too.
void listFilesByNameOnlyInEveryWindow(QApplication& toolkit);

} // namespace platform::detail
