#pragma once
#include "platform/Beep.h"

namespace veskor {

// The X server's core bell: the alarm's sound where there is no sound server, though many
// desktops map it to nothing.
class X11Beep final : public IBeep {
public:
    void beep() override;
};

} // namespace veskor
