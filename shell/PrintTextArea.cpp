#include "shell/PrintTextArea.h"

#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/StyledTextPrinter.h"
#include "platform/Yield.h"

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
