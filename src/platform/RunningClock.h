#pragma once
#include "platform/Clock.h"

namespace veskor {

// A clock set to a chosen moment that runs on from there at the pace of another clock:
// demonstrations and tests of what happens at a given time.
class RunningClock final : public IClock {
public:
    RunningClock(const IClock& pace, DateTime start) : m_pace(pace), m_offset(start - pace.now()) {}
    [[nodiscard]] DateTime now() const override { return m_pace.now() + m_offset; }

private:
    const IClock& m_pace;
    DateTime m_offset;
};

} // namespace veskor
