#pragma once

#include "platform/core/String.h"
#include "platform/desktop/Picture.h"

// The application's pictures, each loaded from its resources on first use and kept for the run.
// While a load yields nothing, each call tries again.
platform::Picture Quor();
platform::Picture Question48();
platform::Picture kappa64();

// The step the accessors share: loads the named picture into an empty slot and returns the
// slot's content. A failure raised by the loader leaves the slot as it was.
platform::Picture LoadPictureInto(platform::Picture& slot, const platform::String& name);
