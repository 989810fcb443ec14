#pragma once
#include "platform/Beep.h"

namespace veskor {

// The X server's bell, which the desktop turns into its alert sound.
class X11Beep final : public IBeep {
public:
    void beep() override;
};

} // namespace veskor
