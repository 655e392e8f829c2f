#include "platform/core/Yield.h"

namespace platform {

namespace {
YieldHook installedHook = nullptr;
} // namespace

void YieldToPlatform() {
    if (installedHook)
        installedHook();
}

void SetYieldHook(YieldHook hook) {
    installedHook = hook;
}

} // namespace platform
