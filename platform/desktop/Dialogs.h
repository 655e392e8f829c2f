#pragma once

#include "platform/core/FolderItem.h"
#include "platform/core/String.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Graphics;
class Window;

// Page setup of a print job; only the platform's default is used.
class PrinterSetup {};

// Where the modal dialogs go. The desktop's own host is used unless another is installed;
// tests install a scripted one so that no real dialog ever blocks them.
class DialogHost {
  public:
    virtual ~DialogHost() = default;
    virtual void ShowMessage(const String& message) = 0;
    virtual void Beep() = 0;
    // `patterns` are wildcard patterns such as "*.txt"; "*" offers every file. Returns the
    // native path of the chosen file, nothing when the user cancels.
    virtual std::optional<std::string>
    ChooseFileToOpen(const String& fileTypeName, const std::vector<std::string>& patterns) = 0;
    // The page surface of a new print job, nullptr when the user cancels.
    virtual std::unique_ptr<Graphics> OpenPrinter() = 0;
    virtual void ReportUnhandledFailure(const String& text) = 0;
};

// nullptr restores the desktop's own dialogs.
void InstallDialogHost(DialogHost* host);
DialogHost& CurrentDialogHost();

// A modal message box; returns when the user dismisses it.
void MsgBox(const String& message);
void Beep();
// The modal open-file dialog offering the files of the registered file type of that name (all
// files when the type has no extensions or is not registered); nothing when cancelled.
std::optional<FolderItem> GetOpenFolderItem(const String& fileTypeName);
// The print dialog; the page surface of the new job, nullptr when the user cancels.
std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup* setup = nullptr,
                                            Window* parent = nullptr);

} // namespace platform
