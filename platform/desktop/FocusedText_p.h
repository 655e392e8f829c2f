#pragma once

// Shared by the platform's own sources; not for the application's code.

#include "platform/core/String.h"

namespace platform::detail {

// The Edit items (EditUndo, EditCut, EditCopy, EditPaste, EditClear) as the text field or text
// area that holds the focus in the window in front serves them.

// Acts on the focused control when it serves the item at all: a text control, editable unless
// the item only copies. False when there is none, or the name is no Edit item.
bool actOnFocusedText(const String& itemName);
// Whether choosing the item now would change the focused control or the clipboard: Undo with
// something to undo, Cut and Copy with a selection, Paste with text on the clipboard, Clear
// with a selection; each but Copy only in an editable control.
bool focusedTextCanDo(const String& itemName);

} // namespace platform::detail
