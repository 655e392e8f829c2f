#include "shell/ReportAreaSink.h"

#include "platform/core/Text.h"

ReportAreaSink::ReportAreaSink(platform::TextArea& area, std::function<double(double)> zToProb)
    : m_area(area), m_zToProb(std::move(zToProb)) {}

void ReportAreaSink::AppendOldTextPlusPiece(const platform::String& piece) {
    m_area.SetText(m_area.Text() + piece);
}

void ReportAreaSink::InsertAtEnd(const platform::String& piece) {
    m_area.SetSelStart(platform::Len(m_area.Text()));
    m_area.SetSelText(piece);
}

double ReportAreaSink::ZtoProb(double z) {
    return m_zToProb(z);
}
