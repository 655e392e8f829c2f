#include "shell/Startup.h"

#include "platform/Application.h"
#include "shell/ControlWnd.h"
#include "shell/FileTypes1.h"

int StartQuorvane(int argc, char** argv) {
    platform::Application::_SetSupportsHiDPI(true);
    platform::Application application(argc, argv);
    FileTypes1::_Initialize();
    platform::Application::CallWhenReady([] { ControlWnd(); });
    return application.Run();
}
