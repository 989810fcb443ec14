#include "platform/linux/LinuxClock.h"

#include <ctime>

namespace veskor {

DateTime LinuxClock::now() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    // A leap second shows as :59 rather than :60, which the time encoding has no room for.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return encodeDateTime(
        {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
        {local.tm_hour, local.tm_min, second, static_cast<int>(ts.tv_nsec / 1000000)});
}

} // namespace veskor
