#pragma once
#include "platform/Clock.h"

#include <ctime>

namespace veskor {

// The system's real-time clock in the local time zone (TZ and /etc/localtime).
class LinuxClock final : public IClock {
public:
    [[nodiscard]] DateTime now() const override;
    // The local date and time of a system-clock moment, held to the encodable years.
    [[nodiscard]] static DateTime fromSystemTime(const timespec& moment);
};

} // namespace veskor
