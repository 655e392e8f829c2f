#include "platform/testing/DesktopDialogDriver.h"

#include "platform/desktop/Dialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>

namespace platform::testing {

namespace {

QString cleanAbsolute(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// The entries the model holds for `folder`, in name order, each with its Type column.
std::vector<ListedEntry> entriesOf(const QFileSystemModel& model, const QString& folder) {
    std::vector<ListedEntry> entries;
    const QModelIndex parent = model.index(folder);
    for (int row = 0; row < model.rowCount(parent); ++row)
        entries.push_back({model.index(row, 0, parent).data().toString().toStdString(),
                           model.index(row, 2, parent).data().toString().toStdString()});
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return a.name < b.name; });
    return entries;
}

// Runs `then` once, from the event loop, after `model` has listed `folder` and `ready` has
// been called: the listing comes from the toolkit's own thread, whenever it is done.
class WhenListed : public QObject {
  public:
    WhenListed(QFileSystemModel& model, QString folder, std::function<void()> then)
        : QObject(&model), m_folder(cleanAbsolute(folder)), m_then(std::move(then)) {
        connect(&model, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
            if (cleanAbsolute(path) == m_folder) {
                m_listed = true;
                runWhenBoth();
            }
        });
    }
    void ready() {
        m_ready = true;
        runWhenBoth();
    }

  private:
    void runWhenBoth() {
        if (!m_listed || !m_ready || !m_then)
            return;
        // After the listing's own updates, which were sent before it said it was done.
        QTimer::singleShot(0, this, std::exchange(m_then, {}));
    }

    QString m_folder;
    std::function<void()> m_then;
    bool m_listed = false;
    bool m_ready = false;
};

// Puts the text into the field in one step, in place of what it held, as a paste does (typed key
// by key, faster than any user, it races the dialog's own completion).
void paste(QLineEdit& field, const QString& text) {
    field.selectAll();
    field.insert(text);
}

// Pastes the text and presses Return as the desktop delivers it: while the completer shows its
// list, the list takes the key first and hands it on.
void pasteAndPressReturn(QLineEdit& field, const QString& text) {
    paste(field, text);
    QCompleter* completer = field.completer();
    const bool listShown = completer && completer->popup() && completer->popup()->isVisible();
    QTest::keyClick(listShown ? static_cast<QWidget*>(completer->popup()) : &field, Qt::Key_Return);
}

} // namespace

// Sees each dialog come up and starts its answer from within its event loop. The widgets are
// found by the object names that the toolkit gives them.
class DesktopDialogDriver::Watcher : public QObject {
  public:
    explicit Watcher(DesktopDialogDriver& driver) : m_driver(driver) {
        qApp->installEventFilter(this);
    }
    ~Watcher() override {
        if (qApp)
            qApp->removeEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || !dialog->isWindow())
            return false;
        if (m_driver.dialogsForTheUser > 0) {
            --m_driver.dialogsForTheUser;
            leaveToTheUser(*dialog);
        } else if (auto* files = qobject_cast<QFileDialog*>(dialog))
            answer(*files);
        else if (auto* print = qobject_cast<QPrintDialog*>(dialog))
            answer(*print);
        else
            closeUnanswered(*dialog);
        return false;
    }

  private:
    void answer(QFileDialog& dialog) {
        if (m_driver.fileAnswers.empty())
            return closeUnanswered(dialog);
        FileAnswer answer = std::move(m_driver.fileAnswers.front());
        m_driver.fileAnswers.pop_front();
        auto* model = dialog.findChild<QFileSystemModel*>();
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!model || !field)
            return closeUnanswered(dialog);
        const QString folder = QString::fromStdString(answer.folder);
        const QString initialName = field->text();
        QPointer<QFileDialog> guarded(&dialog);
        auto* listed = new WhenListed(
            *model, folder,
            [this, guarded, model, field, folder, initialName, choice = std::move(answer.choice)] {
                if (!guarded)
                    return;
                m_driver.fileDialogs.push_back(
                    {guarded->selectedNameFilter().toStdString(), entriesOf(*model, folder),
                     guarded->windowTitle().toStdString(), initialName.toStdString()});
                if (choice)
                    pasteAndPressReturn(*field, QString::fromStdString(*choice));
                else
                    QTest::keyClick(guarded.data(), Qt::Key_Escape);
            });
        // A dialog that came up in the folder lists it by itself; typing the folder there would
        // take the file it came up with.
        if (cleanAbsolute(dialog.directory().path()) == cleanAbsolute(folder))
            return listed->ready();
        QTimer::singleShot(0, &dialog, [field, folder, listed] {
            pasteAndPressReturn(*field, folder + QLatin1Char('/'));
            listed->ready();
        });
    }

    void answer(QPrintDialog& dialog) {
        if (m_driver.printAnswers.empty())
            return closeUnanswered(dialog);
        const PrintSteps steps = m_driver.printAnswers.front();
        m_driver.printAnswers.pop_front();
        auto* output = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* model = output ? output->findChild<QFileSystemModel*>() : nullptr;
        if (!model)
            return closeUnanswered(dialog);
        const QString home = QDir::homePath();
        QPointer<QPrintDialog> guarded(&dialog);
        auto* listed = new WhenListed(*model, home, [this, guarded, model, output, home, steps] {
            if (!guarded)
                return;
            m_driver.printDialogHomes.push_back(entriesOf(*model, home));
            if (steps.outputFile) {
                choosePrintingToAFile(*guarded);
                paste(*output, QString::fromStdString(*steps.outputFile));
            }
            if (steps.browse)
                browse(*guarded);
            if (!guarded)
                return;
            m_driver.printDialogOutputs.push_back(output->text().toStdString());
            if (steps.print)
                pressPrint(*guarded);
            else
                QTest::keyClick(guarded.data(), Qt::Key_Escape);
        });
        listed->ready();
    }

    // Chooses the PDF file as the printer, which enables the output-file field and its Browse
    // button.
    static void choosePrintingToAFile(QPrintDialog& dialog) {
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
            printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
    }

    // Presses the Browse button; returns once the file dialog it opened has been answered.
    static void browse(QPrintDialog& dialog) {
        choosePrintingToAFile(dialog);
        if (auto* button = dialog.findChild<QAbstractButton*>(QStringLiteral("fileBrowser")))
            button->click();
    }

    // Presses Print; without that button, Escape, so that no dialog is left waiting.
    static void pressPrint(QPrintDialog& dialog) {
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
        if (QPushButton* print = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr)
            print->click();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
    }

    void closeUnanswered(QDialog& dialog, std::chrono::milliseconds after = {}) {
        QPointer<QDialog> guarded(&dialog);
        QTimer::singleShot(after, &dialog, [this, guarded] {
            if (!guarded || !guarded->isVisible())
                return;
            m_driver.unanswered.push_back(guarded->windowTitle().toStdString());
            guarded->reject();
        });
    }

    void leaveToTheUser(QDialog& dialog) {
        m_driver.leftToTheUser.push_back(dialog.windowTitle().toStdString());
        closeUnanswered(dialog, std::chrono::seconds(10));
    }

    DesktopDialogDriver& m_driver;
};

DesktopDialogDriver::DesktopDialogDriver()
    : m_watcher(std::make_unique<Watcher>(*this)), m_previous(&CurrentDialogHost()) {
    InstallDialogHost(nullptr);
}

DesktopDialogDriver::~DesktopDialogDriver() {
    InstallDialogHost(m_previous);
}

void DesktopDialogDriver::QueueFileDialog(std::string folder, std::optional<std::string> choice) {
    fileAnswers.push_back({std::move(folder), std::move(choice)});
}

void DesktopDialogDriver::QueuePrintDialog(PrintSteps steps) {
    printAnswers.push_back(std::move(steps));
}

void DesktopDialogDriver::QueueDialogForTheUser() {
    ++dialogsForTheUser;
}

} // namespace platform::testing
