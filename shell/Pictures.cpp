#include "shell/Pictures.h"

platform::Picture LoadPictureInto(platform::Picture& slot, const platform::String& name) {
    if (!slot)
        slot = platform::Picture::_OpenFromApp(name);
    return slot;
}

platform::Picture Quor() {
    static platform::Picture slot;
    return LoadPictureInto(slot, "Quor.png");
}

platform::Picture Question48() {
    static platform::Picture slot;
    return LoadPictureInto(slot, "Question48.png");
}

platform::Picture kappa64() {
    static platform::Picture slot;
    return LoadPictureInto(slot, "kappa64.png");
}
