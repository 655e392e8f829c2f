#include "platform/desktop/Graphics.h"

#include "platform/core/Errors.h"
#include "platform/desktop/Graphics_p.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

namespace platform {

namespace {

// Draws on a paged device through a painter scaled so that one unit is one point.
template <class Device> class PainterSurface : public Graphics::Surface {
  public:
    explicit PainterSurface(std::unique_ptr<Device> device) : m_device(std::move(device)) {
        if (!m_painter.begin(m_device.get()))
            throw IOException("The print job could not be started.");
        m_painter.scale(m_device->logicalDpiX() / 72.0, m_device->logicalDpiY() / 72.0);
    }
    ~PainterSurface() override { m_painter.end(); }

    void newPage() override { m_device->newPage(); }
    void drawLine(double x, double y, const QTextLayout& layout, int line) override {
        const QTextLine laidOut = layout.lineAt(line);
        laidOut.draw(&m_painter, QPointF(x, y) - laidOut.position());
    }
    double pageWidth() const override {
        return m_device->pageLayout().paintRect(QPageLayout::Point).width();
    }
    double pageHeight() const override {
        return m_device->pageLayout().paintRect(QPageLayout::Point).height();
    }

  private:
    std::unique_ptr<Device> m_device;
    QPainter m_painter;
};

class RecordingSurface : public Graphics::Surface {
  public:
    explicit RecordingSurface(std::shared_ptr<PrintLog> log) : m_log(std::move(log)) {}
    ~RecordingSurface() override { m_log->completed = true; }
    void newPage() override {
        ++m_log->nextPageCalls;
        m_log->pages.emplace_back();
    }
    void drawLine(double x, double y, const QTextLayout& layout, int line) override {
        const QTextLine laidOut = layout.lineAt(line);
        m_log->pages.back().push_back(
            {x, y, layout.text().mid(laidOut.textStart(), laidOut.textLength()).toStdString()});
    }
    double pageWidth() const override { return 540; }
    double pageHeight() const override { return 720; }

  private:
    std::shared_ptr<PrintLog> m_log;
};

} // namespace

Graphics::Graphics(std::unique_ptr<Surface> surface) : m_surface(std::move(surface)) {}
Graphics::~Graphics() = default;

void Graphics::NextPage() {
    m_surface->newPage();
}
double Graphics::PageWidth() const {
    return m_surface->pageWidth();
}
double Graphics::PageHeight() const {
    return m_surface->pageHeight();
}

std::unique_ptr<Graphics> Graphics::ToPdfFile(const std::string& path) {
    auto writer = std::make_unique<QPdfWriter>(QString::fromStdString(path));
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    return std::make_unique<Graphics>(
        std::make_unique<PainterSurface<QPdfWriter>>(std::move(writer)));
}

std::unique_ptr<Graphics> Graphics::ToRecording(std::shared_ptr<PrintLog> log) {
    return std::make_unique<Graphics>(std::make_unique<RecordingSurface>(std::move(log)));
}

namespace detail {
std::unique_ptr<Graphics> graphicsForPrinter(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<Graphics>(
        std::make_unique<PainterSurface<QPrinter>>(std::move(printer)));
}
} // namespace detail

} // namespace platform
