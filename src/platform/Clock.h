#pragma once
#include "common/DateTime.h"

namespace veskor {

// Wall clock in the user's time zone.
class IClock {
public:
    virtual ~IClock() = default;
    // Local date and time of day now, to the millisecond.
    [[nodiscard]] virtual DateTime now() const = 0;
};

} // namespace veskor
