#include "calculator/ReportAppending.h"

#include "platform/Text.h"

namespace calculator {

void AppendOldTextPlusPiece(platform::TextArea& area, const platform::String& piece) {
    area.SetText(area.Text() + piece);
}

void InsertAtEnd(platform::TextArea& area, const platform::String& piece) {
    area.SetSelStart(platform::Len(area.Text()));
    area.SetSelText(piece);
}

} // namespace calculator
