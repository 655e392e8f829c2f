#pragma once

#include "platform/testing/ManualClock.h"

// The clock that every timer of the shell's tests waits on: the About window's timer fires
// only when a test moves it on.
platform::testing::ManualClock& Clock();
