#include "platform/desktop/HeldInput_p.h"
#include "platform/desktop/NameOnlyFileTypes_p.h"
#include "platform/desktop/Toolkit_p.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QLatin1String>
#include <QSettings>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// What the toolkit says while it starts is held back: where it cannot open a display it ends
// the process after a few lines of its own, and the user is better served by one. When it
// fails to start for another reason, its own lines name the cause and are passed on. The
// toolkit may speak from its own threads too.
class StartMessages {
  public:
    explicit StartMessages(std::string programName) : m_programName(std::move(programName)) {
        const std::lock_guard lock(mutex);
        current = this;
        previous = qInstallMessageHandler(&StartMessages::hold);
    }
    // Passes on what was held back, now that the toolkit has started.
    ~StartMessages() {
        std::vector<Held> held;
        {
            const std::lock_guard lock(mutex);
            qInstallMessageHandler(previous);
            current = nullptr;
            held.swap(m_held);
        }
        passAll(held);
    }
    StartMessages(const StartMessages&) = delete;
    StartMessages& operator=(const StartMessages&) = delete;

  private:
    struct Held {
        QtMsgType type;
        std::string file, function, category;
        int line;
        QString text;
        QMessageLogContext context() const {
            return QMessageLogContext(orNull(file), line, orNull(function), orNull(category));
        }
        // The X11 plugin says so when it cannot reach the display server, before the toolkit
        // gives up on starting.
        bool tellsOfNoDisplayConnection() const {
            return type == QtWarningMsg && category == "qt.qpa.xcb" &&
                   text.startsWith(QLatin1String("could not connect to display"));
        }
    };

    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        std::unique_lock lock(mutex);
        if (!current) {
            lock.unlock();
            return pass(type, context, text);
        }
        current->m_held.push_back({type, orEmpty(context.file), orEmpty(context.function),
                                   orEmpty(context.category), context.line, text});
        if (type != QtFatalMsg)
            return;
        std::vector<Held> held;
        held.swap(current->m_held);
        const std::string programName = current->m_programName;
        lock.unlock();
        endFailedStart(programName, held);
    }

    static void pass(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        previous(type, context, text);
    }

    static void passAll(const std::vector<Held>& held) {
        for (const Held& message : held)
            pass(message.type, message.context(), message.text);
    }

    // The toolkit would abort right after its fatal message; the process ends here instead, as
    // a failed start does, without running the destructors of a toolkit half made.
    [[noreturn]] static void endFailedStart(const std::string& programName,
                                            const std::vector<Held>& held) {
        if (std::any_of(held.begin(), held.end(),
                        [](const Held& message) { return message.tellsOfNoDisplayConnection(); }))
            sayNoDisplay(programName);
        else
            passAll(held);
        std::fflush(stderr);
        std::_Exit(1);
    }

    static void sayNoDisplay(const std::string& programName) {
        const QByteArray display = qgetenv("DISPLAY");
        if (display.isEmpty())
            std::fprintf(stderr, "%s: no display could be opened (DISPLAY is not set).\n",
                         programName.c_str());
        else
            std::fprintf(stderr, "%s: no display could be opened at %s.\n", programName.c_str(),
                         display.constData());
    }

    static std::string orEmpty(const char* text) { return text ? text : ""; }
    static const char* orNull(const std::string& text) {
        return text.empty() ? nullptr : text.c_str();
    }

    static inline std::mutex mutex;
    static inline StartMessages* current = nullptr;
    static inline QtMessageHandler previous = nullptr;
    std::string m_programName;
    std::vector<Held> m_held;
};

std::string programNameOf(char** argv) {
    const QString registered = QCoreApplication::applicationName();
    if (!registered.isEmpty())
        return registered.toStdString();
    if (argv && argv[0])
        return QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toStdString();
    return "The application";
}

} // namespace

std::optional<std::string> releaseMismatch(const std::string& programName, const char* builtWith,
                                           const char* runningWith) {
    if (std::string_view(builtWith) == runningWith)
        return std::nullopt;
    return programName + ": built with Qt " + builtWith + " but started with Qt " + runningWith +
           "; it must be rebuilt for the Qt it runs with.";
}

std::unique_ptr<QApplication> createToolkit(int& argc, char** argv) {
    if (const auto mismatch = releaseMismatch(programNameOf(argv), QT_VERSION_STR, qVersion())) {
        std::fprintf(stderr, "%s\n", mismatch->c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    // Dialogs of a desktop's own (a GTK file chooser) would read the files they list and keep
    // their own history.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    keepNoSettings();
    std::unique_ptr<QApplication> toolkit;
    {
        const StartMessages held(programNameOf(argv));
        toolkit = std::make_unique<QApplication>(argc, argv);
    }
    listFilesByNameOnlyInEveryWindow(*toolkit);
    installInputHolder();
    return toolkit;
}

} // namespace platform::detail
