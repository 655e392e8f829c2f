#include "platform/desktop/NameOnlyFileTypes_p.h"
#include "platform/desktop/Toolkit_p.h"

#include <QApplication>

namespace platform::detail {

std::unique_ptr<QApplication> createToolkit(int& argc, char** argv) {
    // Dialogs of a desktop's own (a GTK file chooser) would read the files they list and keep
    // their own history.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto toolkit = std::make_unique<QApplication>(argc, argv);
    listFilesByNameOnlyInEveryWindow(*toolkit);
    return toolkit;
}

} // namespace platform::detail
