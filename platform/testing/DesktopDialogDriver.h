#pragma once

// Test support: works the desktop's own dialogs, not scripted stand-ins, from inside their
// event loops and through their widgets, as a user does. Only tests, benchmarks and fuzzers
// link it.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class DialogHost;

namespace testing {

// One entry of a folder as a dialog's file list shows it: its name and its Type column.
struct ListedEntry {
    std::string name;
    std::string type;
    friend bool operator==(const ListedEntry&, const ListedEntry&) = default;
};

// What a file dialog showed: the file-type filter it offered, the entries of the folder it was
// sent to, by name, its title and the name it came up with.
struct FileDialogSeen {
    std::string filter;
    std::vector<ListedEntry> entries;
    std::string title;
    std::string initialName; // what its file-name field held as it came up
};

// While it lives, the desktop's own dialogs come up in place of any installed host, and each is
// answered from its queue once it has listed its folder. A dialog with no answer queued is
// closed at once and noted, so that no test ever waits for a user.
class DesktopDialogDriver {
  public:
    DesktopDialogDriver();
    ~DesktopDialogDriver();
    DesktopDialogDriver(const DesktopDialogDriver&) = delete;
    DesktopDialogDriver& operator=(const DesktopDialogDriver&) = delete;

    // The next file dialog: the user pastes `folder` into its file-name field and presses
    // Return, unless the dialog came up in it; once the folder is listed, pastes `choice` and
    // presses Return, or without one presses Escape.
    void QueueFileDialog(std::string folder, std::optional<std::string> choice);
    // What the user does in a print dialog once the completer of its output-file field has
    // listed the home folder, in this order: with `outputFile`, chooses printing to a file and
    // pastes the path into the field; with `browse`, chooses printing to a file and presses the
    // Browse button beside the field, whose file dialog takes the next file-dialog answer; then
    // with `print` presses Print, or else Escape.
    struct PrintSteps {
        std::optional<std::string> outputFile = std::nullopt;
        bool browse = false;
        bool print = false;
    };
    // The next print dialog takes these steps.
    void QueuePrintDialog(PrintSteps steps);
    // The next dialog, of any kind, is left to the user's input: the test sends it as the
    // desktop does. One still open after ten seconds is closed and noted as unanswered.
    void QueueDialogForTheUser();

    std::vector<FileDialogSeen> fileDialogs;
    // The home folder as each print dialog's output-file completer listed it.
    std::vector<std::vector<ListedEntry>> printDialogHomes;
    // The text of each print dialog's output-file field as the user left the dialog.
    std::vector<std::string> printDialogOutputs;
    // Titles of the dialogs that came up with nothing queued for them.
    std::vector<std::string> unanswered;
    // Titles of the dialogs left to the user's input.
    std::vector<std::string> leftToTheUser;

  private:
    struct FileAnswer {
        std::string folder;
        std::optional<std::string> choice;
    };
    std::deque<FileAnswer> fileAnswers;
    std::deque<PrintSteps> printAnswers;
    int dialogsForTheUser = 0;
    class Watcher;
    std::unique_ptr<Watcher> m_watcher;
    DialogHost* m_previous = nullptr;
};

} // namespace testing
} // namespace platform
