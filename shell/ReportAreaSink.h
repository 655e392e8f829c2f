#pragma once

#include "calculator/AgreementReport.h"
#include "platform/core/String.h"
#include "platform/desktop/TextArea.h"

#include <functional>

// The agreement report written into a text area, each piece in the way the analysis asks for;
// `zToProb` is the window's own step from a z to its p.
class ReportAreaSink final : public calculator::ReportSink {
  public:
    ReportAreaSink(platform::TextArea& area, std::function<double(double)> zToProb);

    // The area's whole text is read and set to that text followed by the piece.
    void AppendOldTextPlusPiece(const platform::String& piece) override;
    // The insertion point is put at the end of the text and the piece inserted there; the
    // text already there is not touched.
    void InsertAtEnd(const platform::String& piece) override;
    double ZtoProb(double z) override;

  private:
    platform::TextArea& m_area;
    std::function<double(double)> m_zToProb;
};
