#include "platform/desktop/NameOnlyFileTypes_p.h"
#include "platform/desktop/Toolkit_p.h"

#include <QApplication>
#include <QSettings>
#include <QString>

namespace platform::detail {

namespace {

// The toolkit's file dialog keeps its last folder, history and view in the user's settings,
// written when the dialog goes and read when the next one comes. The application keeps nothing
// between runs, so the user's settings are looked for in a folder that cannot exist, beneath a
// device file: nothing is read there, and nothing can be written.
void keepNoSettings() {
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, nowhere);
}

} // namespace

std::unique_ptr<QApplication> createToolkit(int& argc, char** argv) {
    // Dialogs of a desktop's own (a GTK file chooser) would read the files they list and keep
    // their own history.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    keepNoSettings();
    auto toolkit = std::make_unique<QApplication>(argc, argv);
    listFilesByNameOnlyInEveryWindow(*toolkit);
    return toolkit;
}

} // namespace platform::detail
