#include "platform/desktop/Graphics.h"

#include "platform/core/Errors.h"
#include "platform/desktop/Application.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/Graphics_p.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <QtPrintSupport/private/qprintengine_pdf_p.h>
#include <exception>
#include <functional>
#include <optional>

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

// Draws on a paged device through a painter scaled so that one unit is one point. `file` is the
// file that the device writes, if it writes one: it stays aside until the job completes with
// every write done, and only then replaces what was at its path.
template <class Device> class PainterSurface : public Graphics::Surface {
  public:
    PainterSurface(std::unique_ptr<QSaveFile> file, std::unique_ptr<Device> device)
        : m_file(std::move(file)), m_device(std::move(device)) {
        if (!m_painter.begin(m_device.get()))
            throw IOException("The print job could not be started.");
        m_painter.scale(m_device->logicalDpiX() / 72.0, m_device->logicalDpiY() / 72.0);
    }
    // Completes the job, unless it was cancelled: the device writes the rest, and the file goes
    // in place. A failure is reported here, since no caller is left to take it (the Graphics
    // that ends the job is being destroyed), and only once what the job wrote is gone.
    ~PainterSurface() override {
        if (!m_painter.isActive())
            return;
        m_painter.end();
        if (!m_file)
            return;
        std::optional<IOException> failure = failedWrite();
        if (!failure && !m_file->commit())
            failure = writeFailure(m_file->errorString());
        if (!failure)
            return;
        m_device.reset();
        m_file.reset();
        try {
            throw *failure;
        } catch (...) {
            detail::reportCurrentException();
        }
    }

    // The painter is ended all the same, so that the device lets go of what it holds; the file is
    // left uncommitted, which removes what the job wrote of it.
    void cancel() override {
        keepFromThePrinter(*m_device);
        m_painter.end();
    }
    // The device writes out the page that ends; a failure cuts the job off at once.
    void newPage() override {
        m_device->newPage();
        if (!m_file)
            return;
        if (std::optional<IOException> failure = failedWrite())
            throw *failure;
    }
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
    // The platform's failure if a write to the file has failed, once what the file holds back
    // has gone out too: QSaveFile counts the failures of the writes it is given, but not that of
    // the flush in its commit. A write that the system took only in part (a disk filling up
    // midway) leaves no reason, since Qt's file engine keeps errno only when nothing went out;
    // the rest, written once more, gives the system's.
    std::optional<IOException> failedWrite() {
        if (m_file->flush() && m_file->error() == QFileDevice::NoError)
            return std::nullopt;
        m_file->flush();
        return writeFailure(m_file->errorString());
    }
    IOException writeFailure(const QString& reason) const {
        return IOException(QStringLiteral("The print to %1 could not be written: %2.")
                               .arg(m_file->fileName(), reason)
                               .toStdString());
    }

    std::unique_ptr<QSaveFile> m_file; // outlives the device that writes it
    std::unique_ptr<Device> m_device;
    QPainter m_painter;
};

// A job writing a PDF file through a save file, so that the file reaches its path only whole;
// `setUp` gives the writer the layout of its pages and the document's properties.
std::unique_ptr<Graphics> pdfFileJob(const QString& path,
                                     const std::function<void(QPdfWriter&)>& setUp) {
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        throw IOException(QStringLiteral("The print to %1 could not be started: %2.")
                              .arg(path, file->errorString())
                              .toStdString());
    auto writer = std::make_unique<QPdfWriter>(file.get());
    setUp(*writer);
    return std::make_unique<Graphics>(
        std::make_unique<PainterSurface<QPdfWriter>>(std::move(file), std::move(writer)));
}

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

Graphics::Graphics(std::unique_ptr<Surface> surface)
    : m_surface(std::move(surface)), m_unwindingAtStart(std::uncaught_exceptions()) {}

// A job that does not reach its end is cancelled: the user who quit while it printed wants
// nothing more of it, and a print cut off where it had got to, by the end of the run or by a
// failure unwinding through the print loop, helps no one.
Graphics::~Graphics() {
    if (detail::requestedExitCode() || std::uncaught_exceptions() > m_unwindingAtStart)
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
    return pdfFileJob(QString::fromStdString(path), [](QPdfWriter& writer) {
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    });
}

std::unique_ptr<Graphics> Graphics::ToRecording(std::shared_ptr<PrintLog> log) {
    return std::make_unique<Graphics>(std::make_unique<RecordingSurface>(std::move(log)));
}

namespace detail {
// A printer that prints to a file writes it through the PDF engine's own file, which keeps no
// failure of its writes. Such a job goes through a PDF writer instead, with what that engine
// takes from the printer for a file: the page layout, the resolution, the document's name and
// creator and the PDF version. It applies neither copies nor page ranges to a file, and its
// colour mode changes nothing of black text.
std::unique_ptr<Graphics> graphicsForPrinter(std::unique_ptr<QPrinter> printer) {
    if (printer->outputFileName().isEmpty())
        return std::make_unique<Graphics>(
            std::make_unique<PainterSurface<QPrinter>>(nullptr, std::move(printer)));
    return pdfFileJob(printer->outputFileName(), [&printer](QPdfWriter& writer) {
        writer.setPageLayout(printer->pageLayout());
        writer.setResolution(printer->resolution());
        writer.setTitle(printer->docName());
        writer.setCreator(printer->creator());
        writer.setPdfVersion(printer->pdfVersion());
    });
}
} // namespace detail

} // namespace platform
