#pragma once
#include "platform/Clock.h"

namespace veskor {

// A clock that stands still at a moment it is given: screenshots at a chosen time, and tests.
class FixedClock final : public IClock {
public:
    explicit FixedClock(DateTime now = 0) : m_now(now) {}
    [[nodiscard]] DateTime now() const override { return m_now; }
    void set(DateTime now) { m_now = now; }

private:
    DateTime m_now;
};

} // namespace veskor
