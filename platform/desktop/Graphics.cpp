#include "platform/desktop/Graphics.h"

#include "platform/core/Errors.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Graphics_p.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>
#include <QtPrintSupport/private/qprintengine_pdf_p.h>

namespace platform {

namespace {

// A PDF writer's pages go to its file alone.
void keepFromThePrinter(QPdfWriter&) {}

// Qt's print engines on Linux cannot abort a job: abort() does nothing on the PDF engine and on
// the CUPS engine built on it, and the end of the painter completes the job, which sends a CUPS
// job's spool file to the printer. Without a printer's name the CUPS engine deletes its spool
// file at the end instead; the name is cleared through the PDF engine's own setter, since the
// CUPS engine's keeps the old name for an unknown one.
void keepFromThePrinter(QPrinter& printer) {
    if (printer.abort())
        return;
    if (auto* engine = dynamic_cast<QPdfPrintEngine*>(printer.printEngine()))
        engine->QPdfPrintEngine::setProperty(QPrintEngine::PPK_PrinterName, QString());
}

// Draws on a paged device through a painter scaled so that one unit is one point. `outputFile`
// is the file that the device writes, empty when it writes none of its own.
template <class Device> class PainterSurface : public Graphics::Surface {
  public:
    PainterSurface(std::unique_ptr<Device> device, QString outputFile)
        : m_device(std::move(device)), m_outputFile(std::move(outputFile)) {
        if (!m_painter.begin(m_device.get()))
            throw IOException("The print job could not be started.");
        m_painter.scale(m_device->logicalDpiX() / 72.0, m_device->logicalDpiY() / 72.0);
    }
    ~PainterSurface() override {
        if (m_painter.isActive())
            m_painter.end();
    }

    // The painter is ended all the same, so that the device closes its file and lets go of
    // what it holds; the file, complete by then, is removed.
    void cancel() override {
        keepFromThePrinter(*m_device);
        m_painter.end();
        if (!m_outputFile.isEmpty())
            QFile::remove(m_outputFile);
    }
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
    QString m_outputFile;
    QPainter m_painter;
};

class RecordingSurface : public Graphics::Surface {
  public:
    explicit RecordingSurface(std::shared_ptr<PrintLog> log) : m_log(std::move(log)) {}
    ~RecordingSurface() override { m_log->completed = !m_log->cancelled; }
    void cancel() override { m_log->cancelled = true; }
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

// A job still under way when the run has been asked to end is cancelled: the user who quit while
// it printed wants nothing more of it, and a print cut off where it had got to helps no one.
Graphics::~Graphics() {
    if (detail::requestedExitCode())
        m_surface->cancel();
}

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
    const QString file = QString::fromStdString(path);
    auto writer = std::make_unique<QPdfWriter>(file);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    return std::make_unique<Graphics>(
        std::make_unique<PainterSurface<QPdfWriter>>(std::move(writer), file));
}

std::unique_ptr<Graphics> Graphics::ToRecording(std::shared_ptr<PrintLog> log) {
    return std::make_unique<Graphics>(std::make_unique<RecordingSurface>(std::move(log)));
}

namespace detail {
std::unique_ptr<Graphics> graphicsForPrinter(std::unique_ptr<QPrinter> printer) {
    const QString file = printer->outputFileName();
    return std::make_unique<Graphics>(
        std::make_unique<PainterSurface<QPrinter>>(std::move(printer), file));
}
} // namespace detail

} // namespace platform
