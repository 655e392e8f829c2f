#include "platform/desktop/Dialogs.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Application_p.h"
#include "platform/desktop/FileType.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/Graphics_p.h"
#include "platform/desktop/HandlerScope.h"
#include "platform/desktop/NameOnlyFileTypes_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>
#include <cstdio>

namespace platform {

namespace {

using detail::toQt;

// Where no window manager runs, the X server gives the keyboard focus to the root window when
// the dialog that holds it goes, and nothing gives it back: the window the user worked in takes
// no key until it is clicked. So the window that was active as a dialog came up is activated
// again once the dialog has gone, if it is still there and shown; a window manager has done so
// already, and the request changes nothing. Made before the dialog, so that it acts after the
// dialog's end.
class ActiveWindowRestorer {
  public:
    ActiveWindowRestorer() : m_active(QApplication::activeWindow()) {}
    ~ActiveWindowRestorer() {
        if (m_active && m_active->isVisible())
            m_active->activateWindow();
    }
    ActiveWindowRestorer(const ActiveWindowRestorer&) = delete;
    ActiveWindowRestorer& operator=(const ActiveWindowRestorer&) = delete;

  private:
    QPointer<QWidget> m_active;
};

// The file dialog of the print dialog's Browse, as the toolkit's own makes it: the field's text
// names the folder to show and the file to pre-select, an existing file is taken without a
// question, and the chosen path is returned (empty when cancelled). The folder and the name are
// given only once the dialog lists by name, since pre-selecting a file looks up its type.
QString chooseOutputFile(QWidget& parent, const QString& current) {
    const ActiveWindowRestorer restorer;
    QFileDialog dialog(&parent, QCoreApplication::translate("QPrintDialog", "Print To File ..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    detail::listFilesByNameOnly(dialog);
    if (!current.isEmpty()) {
        const QFileInfo given(current);
        const QFileInfo folder(given.isDir() ? given.absoluteFilePath() : given.absolutePath());
        if (folder.isDir())
            dialog.setDirectory(folder.absoluteFilePath());
        if (!given.isDir())
            dialog.selectFile(given.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// The toolkit answers the Browse button beside the output-file field with a file dialog of its
// own, which pre-selects the field's file with the toolkit's icon provider: that provider reads
// a file without a known extension to guess its type, so Browse would open the file the field
// names. The button is answered here instead, as the toolkit does it: the chosen path goes into
// the field and selects the PDF printer, the last entry of the list. The widgets are found by
// the names the toolkit gives them; without them, Browse does nothing.
void browseForOutputFileByName(QPrintDialog& dialog) {
    auto* button = dialog.findChild<QAbstractButton*>(QStringLiteral("fileBrowser"));
    if (!button)
        return;
    QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    if (!field || !printers)
        return;
    QObject::connect(button, &QAbstractButton::clicked, &dialog, [&dialog, field, printers] {
        const QString chosen = chooseOutputFile(dialog, field->text());
        if (chosen.isEmpty())
            return;
        field->setText(chosen);
        printers->setCurrentIndex(printers->count() - 1);
    });
}

class DesktopDialogs : public DialogHost {
  public:
    void ShowMessage(const String& message) override {
        const ActiveWindowRestorer restorer;
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), toQt(message),
                        QMessageBox::Ok);
        box.exec();
    }
    void Beep() override { QApplication::beep(); }
    std::optional<std::string> ChooseFileToOpen(const String& fileTypeName,
                                                const std::vector<std::string>& patterns) override {
        QStringList qtPatterns;
        for (const auto& pattern : patterns)
            qtPatterns << QString::fromStdString(pattern);
        const QString filter =
            QStringLiteral("%1 (%2)").arg(toQt(fileTypeName), qtPatterns.join(QLatin1Char(' ')));
        const ActiveWindowRestorer restorer;
        QFileDialog dialog(nullptr, QString(), QString(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        detail::listFilesByNameOnly(dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst().toStdString();
    }
    std::unique_ptr<Graphics> OpenPrinter() override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const ActiveWindowRestorer restorer;
        QPrintDialog dialog(printer.get());
        detail::listFilesByNameOnly(dialog);
        browseForOutputFileByName(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        return detail::graphicsForPrinter(std::move(printer));
    }
    // Also written to the standard error, which outlasts the box and serves where no window
    // can come up.
    void ReportUnhandledFailure(const String& text) override {
        std::fprintf(stderr, "Unhandled failure: %s\n", text.str().c_str());
        detail::startToolkit();
        const ActiveWindowRestorer restorer;
        QMessageBox::critical(
            nullptr, QApplication::applicationDisplayName(),
            QStringLiteral("An unexpected failure occurred:\n%1").arg(toQt(text)));
    }
};

DialogHost* installedHost = nullptr;

std::vector<std::string> patternsOf(const FileType* type) {
    std::vector<std::string> patterns;
    if (type) {
        const QStringList extensions =
            toQt(type->Extensions())
                .split(QRegularExpression(QStringLiteral("[;,\\s]+")), Qt::SkipEmptyParts);
        for (QString extension : extensions) {
            if (extension.startsWith(QLatin1Char('.')))
                extension.remove(0, 1);
            patterns.push_back("*." + extension.toStdString());
        }
    }
    if (patterns.empty())
        patterns.push_back("*");
    return patterns;
}

} // namespace

void InstallDialogHost(DialogHost* host) {
    installedHost = host;
}

DialogHost& CurrentDialogHost() {
    static DesktopDialogs desktop;
    return installedHost ? *installedHost : desktop;
}

void MsgBox(const String& message) {
    const detail::WaitingForUser waiting;
    CurrentDialogHost().ShowMessage(message);
}

void Beep() {
    CurrentDialogHost().Beep();
}

std::optional<FolderItem> GetOpenFolderItem(const String& fileTypeName) {
    const detail::WaitingForUser waiting;
    auto path = CurrentDialogHost().ChooseFileToOpen(
        fileTypeName, patternsOf(FindRegisteredFileType(fileTypeName)));
    if (!path)
        return std::nullopt;
    return FolderItem(std::move(*path));
}

std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup*, Window*) {
    const detail::WaitingForUser waiting;
    return CurrentDialogHost().OpenPrinter();
}

} // namespace platform
