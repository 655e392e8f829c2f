#include "shell/PrintTextArea.h"

#include "platform/core/Yield.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/Graphics.h"
#include "platform/desktop/StyledTextPrinter.h"

#include <memory>

void PrintTextArea(platform::TextArea& area) {
    using namespace platform;
    std::unique_ptr<Graphics> g = OpenPrinterDialog(nullptr, nullptr);
    if (!g)
        return;
    std::unique_ptr<StyledTextPrinter> p = area.styledTextPrinter(*g, 540);
    while (true) {
        if (p->Eof())
            break;
        p->DrawBlock(0, 0, 540);
        if (!p->Eof())
            g->NextPage();
        YieldToPlatform();
    }
}
