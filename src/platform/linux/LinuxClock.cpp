#include "platform/linux/LinuxClock.h"

#include <cstdint>
#include <limits>

namespace veskor {

DateTime LinuxClock::now() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return fromSystemTime(ts);
}

DateTime LinuxClock::fromSystemTime(const timespec& moment) {
    tm local{};
    if (localtime_r(&moment.tv_sec, &local) == nullptr) {
        // Only a year past an int fails, far outside the encodable years on either side.
        const std::int64_t year = moment.tv_sec < 0 ? std::numeric_limits<std::int64_t>::min()
                                                    : std::numeric_limits<std::int64_t>::max();
        return encodeDateTimeClamped(year, 1, 1, 0, 0, 0, 0);
    }
    return encodeDateTimeClamped(std::int64_t{local.tm_year} + 1900, local.tm_mon + 1,
                                 local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                                 static_cast<int>(moment.tv_nsec / 1'000'000));
}

} // namespace veskor
