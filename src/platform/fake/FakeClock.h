#pragma once
#include "platform/Clock.h"

namespace veskor {

class FakeClock final : public IClock {
public:
    explicit FakeClock(TDateTime now = 0) : now_(now) {}
    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }

private:
    TDateTime now_;
};

} // namespace veskor
