#include "shell/Startup.h"

#include "platform/desktop/Application.h"
#include "shell/AboutWnd.h"
#include "shell/FileTypes1.h"
#include "shell/Menu.h"
#include "shell/Quorvane.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr const char* kLongVersion = "Quorvane 2.0, Copyright (C) 2002-2020 the Quorvane authors";

// The application object, held for the rest of the run once it is registered.
std::unique_ptr<Quorvane>& applicationObject() {
    static std::unique_ptr<Quorvane> object;
    return object;
}

} // namespace

int RunQuorvane(int argc, char** argv) {
    // C++ has run the static initialisers before main; a failure there ends the process
    // before it gets here.
    platform::RunTime runTime(argc, argv);
    try {
        _Main();
    } catch (const std::exception& failure) {
        // The report of a failure failed itself; the run ends as after any failure.
        std::fprintf(stderr, "Quorvane could not report a failure: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "Quorvane could not report a failure.\n");
    }
    return runTime.Exit();
}

void _Main() {
    try {
        _EarlyStartup();
        platform::_RunFrameworkInitialization(&_LateStartup);
        platform::_RuntimeRun();
    } catch (const std::exception& failure) {
        platform::_UnhandledException(failure);
    } catch (...) {
        platform::_UnhandledException(std::runtime_error("a failure of unknown type"));
    }
}

void _EarlyStartup() {
    platform::Application::_SetSupportsHiDPI(true);
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes() {
    FileTypes1::_Initialize();
}

void _NewAppInstance() {
    auto application = std::make_unique<Quorvane>();
    application->Constructor();
    application->_x_SetVersionData(2, 0, 0, 0, 3, kLongVersion, "2.0", "Quorvane");
    application->SetMenuBar(Menu());
    platform::_RuntimeRegisterAppObject(*application);
    applicationObject() = std::move(application);
}

void _ApplicationAddMenuHandlers() {}

void _LateStartup() {
    _MakeDefaultView();
}

void _MakeDefaultView() {
    AboutWnd();
}
