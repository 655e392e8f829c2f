#include "ShellTestEnvironment.h"

#include "platform/desktop/Application.h"
#include "shell/Menu.h"
#include "shell/Quorvane.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// The shell's tests run as the program does: the application object is registered with the
// menu bar installed, so every document window carries it.
class ShellEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        clock = std::make_unique<platform::testing::ManualClock>();
        application = std::make_unique<Quorvane>();
        application->_x_SetVersionData(2, 0, 0, 0, 3, "Quorvane tests", "2.0", "Quorvane");
        application->SetMenuBar(Menu());
        platform::_RuntimeRegisterAppObject(*application);
    }

    std::unique_ptr<platform::testing::ManualClock> clock;
    std::unique_ptr<Quorvane> application;
};

ShellEnvironment* const environment =
    static_cast<ShellEnvironment*>(::testing::AddGlobalTestEnvironment(new ShellEnvironment));

} // namespace

platform::testing::ManualClock& Clock() {
    return *environment->clock;
}
