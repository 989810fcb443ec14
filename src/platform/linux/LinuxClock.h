#pragma once
#include "platform/Clock.h"

namespace veskor {

// The system's real-time clock in the local time zone (TZ and /etc/localtime).
class LinuxClock final : public IClock {
public:
    [[nodiscard]] DateTime now() const override;
};

} // namespace veskor
