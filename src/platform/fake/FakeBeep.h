#pragma once
#include "platform/Beep.h"

namespace veskor {

// Counts the beeps.
class FakeBeep final : public IBeep {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

} // namespace veskor
