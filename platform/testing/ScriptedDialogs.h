#pragma once

// Test support: a scripted stand-in for the modal dialogs, so that no test ever blocks in one.
// Only tests, benchmarks and fuzzers link it.

#include "platform/core/String.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/Graphics.h"

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

namespace testing {

// Raised when a dialog comes up that the test gave no answer for: a test must never block.
class UnscriptedDialog : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// Answers every dialog from a script while it lives (it installs itself and puts back the host
// it replaced), and records what was shown.
class ScriptedDialogs : public DialogHost {
  public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next open-file dialog returns this path (nothing: the user cancels).
    void QueueOpenFile(std::optional<std::string> path);
    // The next print dialog: cancelled; printing to a PDF file; printing to a recording.
    void QueuePrintCancel();
    void QueuePrintToPdf(std::string path);
    std::shared_ptr<PrintLog> QueuePrintRecording();

    std::vector<String> messages;
    int beeps = 0;
    std::vector<String> failures; // reports of unhandled failures
    std::vector<String> openFileTypeNames;
    std::vector<std::vector<std::string>> openFilePatterns;
    int printDialogs = 0;
    // Dialogs that came up with no answer queued.
    std::vector<std::string> unscripted;

    void ShowMessage(const String& message) override;
    void Beep() override;
    std::optional<std::string> ChooseFileToOpen(const String& fileTypeName,
                                                const std::vector<std::string>& patterns) override;
    std::unique_ptr<Graphics> OpenPrinter() override;
    void ReportUnhandledFailure(const String& text) override;

  private:
    struct PrintAnswer {
        enum class Kind { Cancel, Pdf, Recording } kind;
        std::string path;
        std::shared_ptr<PrintLog> log;
    };
    std::deque<std::optional<std::string>> m_openAnswers;
    std::deque<PrintAnswer> m_printAnswers;
    DialogHost* m_previous = nullptr;
};

} // namespace testing
} // namespace platform
