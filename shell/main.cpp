#include "calculator/ControlWnd.h"
#include "platform/Application.h"
#include "shell/FileTypes1.h"

int main(int argc, char** argv) {
    platform::Application::_SetSupportsHiDPI(true);
    platform::Application application(argc, argv);
    FileTypes1::_Initialize();
    platform::Application::CallWhenReady([] { ControlWnd(); });
    return application.Run();
}
