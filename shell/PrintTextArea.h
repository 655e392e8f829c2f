#pragma once

#include "platform/desktop/TextArea.h"

// Prints a text area's whole text through the print dialog: laid out 540 units of the page wide,
// in blocks at most 540 units high drawn at the page's origin, one block per page, with no page
// after the last block. A cancelled dialog prints nothing and says nothing.
void PrintTextArea(platform::TextArea& area);
