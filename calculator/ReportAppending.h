#pragma once

#include "platform/String.h"
#include "platform/TextArea.h"

namespace calculator {

// The two ways a report piece reaches the report area. Both leave the same text; they differ
// only in how the area is touched.

// The area's whole text is read and set to that text followed by the piece.
void AppendOldTextPlusPiece(platform::TextArea& area, const platform::String& piece);

// The insertion point is put at the end of the text and the piece inserted there; the text
// already there is not touched.
void InsertAtEnd(platform::TextArea& area, const platform::String& piece);

} // namespace calculator
