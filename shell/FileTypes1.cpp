#include "shell/FileTypes1.h"

namespace FileTypes1 {

// The set lives until the process ends and is never destroyed: destroying the type at exit would
// withdraw its registration from a platform that may already have shut down.
std::vector<std::shared_ptr<platform::FileType>>& pAllFileTypes =
    *new std::vector<std::shared_ptr<platform::FileType>>();
std::shared_ptr<platform::FileType>& pText = *new std::shared_ptr<platform::FileType>();

std::shared_ptr<platform::FileType> Text() {
    return pText;
}

void _Initialize() {
    pText = std::make_shared<platform::FileType>();
    pText->SetName("text");
    pText->SetExtensions("");
    pText->SetMacType("");
    pText->SetMacCreator("");
    pText->SetMimeType("");
    pText->SetImported(true);
    pText->SetConformsTo("");
    pAllFileTypes.push_back(pText);
    // Converting the type to text is what registers it; the name itself is not needed.
    static_cast<void>(static_cast<platform::String>(*Text()));
}

} // namespace FileTypes1
