#include "platform/testing/ScriptedDialogs.h"

#include "platform/desktop/Graphics.h"

namespace platform::testing {

ScriptedDialogs::ScriptedDialogs() {
    m_previous = &CurrentDialogHost();
    InstallDialogHost(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    InstallDialogHost(m_previous);
}

void ScriptedDialogs::QueueOpenFile(std::optional<std::string> path) {
    m_openAnswers.push_back(std::move(path));
}

void ScriptedDialogs::QueuePrintCancel() {
    m_printAnswers.push_back({PrintAnswer::Kind::Cancel, {}, nullptr});
}

void ScriptedDialogs::QueuePrintToPdf(std::string path) {
    m_printAnswers.push_back({PrintAnswer::Kind::Pdf, std::move(path), nullptr});
}

std::shared_ptr<PrintLog> ScriptedDialogs::QueuePrintRecording() {
    auto log = std::make_shared<PrintLog>();
    m_printAnswers.push_back({PrintAnswer::Kind::Recording, {}, log});
    return log;
}

void ScriptedDialogs::ShowMessage(const String& message) {
    messages.push_back(message);
}

void ScriptedDialogs::Beep() {
    ++beeps;
}

std::optional<std::string>
ScriptedDialogs::ChooseFileToOpen(const String& fileTypeName,
                                  const std::vector<std::string>& patterns) {
    openFileTypeNames.push_back(fileTypeName);
    openFilePatterns.push_back(patterns);
    if (m_openAnswers.empty()) {
        unscripted.push_back("open-file dialog");
        throw UnscriptedDialog("An open-file dialog came up with no answer queued.");
    }
    auto answer = std::move(m_openAnswers.front());
    m_openAnswers.pop_front();
    return answer;
}

std::unique_ptr<Graphics> ScriptedDialogs::OpenPrinter() {
    ++printDialogs;
    if (m_printAnswers.empty()) {
        unscripted.push_back("print dialog");
        throw UnscriptedDialog("A print dialog came up with no answer queued.");
    }
    PrintAnswer answer = std::move(m_printAnswers.front());
    m_printAnswers.pop_front();
    switch (answer.kind) {
    case PrintAnswer::Kind::Cancel:
        return nullptr;
    case PrintAnswer::Kind::Pdf:
        return Graphics::ToPdfFile(answer.path);
    case PrintAnswer::Kind::Recording:
        return Graphics::ToRecording(answer.log);
    }
    return nullptr;
}

void ScriptedDialogs::ReportUnhandledFailure(const String& text) {
    failures.push_back(text);
}

} // namespace platform::testing
