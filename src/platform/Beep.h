#pragma once

namespace veskor {

// The desktop's default alert sound.
class IBeep {
public:
    virtual ~IBeep() = default;
    // Sounds the alert once; does nothing where there is no way to.
    virtual void beep() = 0;
};

} // namespace veskor
