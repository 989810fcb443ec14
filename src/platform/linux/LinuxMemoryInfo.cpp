#include "platform/linux/LinuxMemoryInfo.h"

#include <fcntl.h>
#include <unistd.h>

namespace veskor {

std::string LinuxMemoryInfo::readMemInfo() {
    // Read with plain system calls: this runs every second and should stay cheap.
    const int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

} // namespace veskor
