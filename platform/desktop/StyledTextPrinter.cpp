#include "platform/desktop/StyledTextPrinter.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/Graphics_p.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace platform {

struct StyledTextPrinter::Impl {
    // One line of the text as laid out: line `line` of paragraph `paragraph`.
    struct LaidOutLine {
        std::size_t paragraph = 0;
        int line = 0;
    };
    Graphics* graphics = nullptr;
    std::int64_t width = 0;
    QFont font;
    double lineHeight = 0;
    // A deque, so that a layout never moves once made.
    std::deque<QTextLayout> paragraphs;
    std::vector<LaidOutLine> lines;
    std::size_t next = 0;

    // Lays out each paragraph of `text` (lines separated by LF) at the width.
    void layOutParagraphs(const QString& text) {
        // A word wider than the page is broken too: it would otherwise run past the printable
        // area and be cut off. Tabs stop where the text area on the screen stops them.
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTabStopDistance(detail::tabStopDistance(font));
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            QTextLayout& layout = paragraphs.emplace_back(paragraph, font);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(static_cast<double>(width));
                lines.push_back({paragraphs.size() - 1, line.lineNumber()});
            }
            layout.endLayout();
        }
    }
};

StyledTextPrinter::StyledTextPrinter(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
StyledTextPrinter::~StyledTextPrinter() = default;

bool StyledTextPrinter::Eof() const {
    return m_impl->next >= m_impl->lines.size();
}

std::int64_t StyledTextPrinter::Width() const {
    return m_impl->width;
}

double StyledTextPrinter::LineHeight() const {
    return m_impl->lineHeight;
}

void StyledTextPrinter::DrawBlock(std::int64_t x, std::int64_t y, std::int64_t height) {
    Impl& impl = *m_impl;
    const auto fitting = static_cast<std::size_t>(
        std::max(1.0, std::floor(static_cast<double>(height) / impl.lineHeight)));
    for (std::size_t i = 0; i < fitting && impl.next < impl.lines.size(); ++i, ++impl.next) {
        const Impl::LaidOutLine& line = impl.lines[impl.next];
        impl.graphics->surface().drawLine(static_cast<double>(x),
                                          static_cast<double>(y) +
                                              static_cast<double>(i) * impl.lineHeight,
                                          impl.paragraphs[line.paragraph], line.line);
    }
}

std::unique_ptr<StyledTextPrinter> StyledTextPrinter::layOut(Graphics& g, std::int64_t width,
                                                             const detail::FontDescription& font,
                                                             const String& source) {
    auto impl = std::make_unique<Impl>();
    impl->graphics = &g;
    impl->width = width;
    // Page units are points, and the font's size counts in them as on the screen.
    impl->font = detail::makeFont(font);
    const QFontMetricsF metrics(impl->font);
    impl->lineHeight = std::max(1.0, metrics.lineSpacing());

    QString text = detail::toQt(source);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    // An empty text prints nothing; a text of one line end prints one empty line.
    if (!source.empty())
        impl->layOutParagraphs(text);
    return std::unique_ptr<StyledTextPrinter>(new StyledTextPrinter(std::move(impl)));
}

} // namespace platform
