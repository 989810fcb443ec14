#include "platform/linux/PosixMappedFile.h"

#include "platform/linux/CompoundFile.h"
#include "platform/linux/MappingGuard.h"

#include <cstddef>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veskor {

std::optional<MappedBytes> PosixMappedFiles::map(const std::filesystem::path& path) const {
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size == 0) {
        ::close(fd);
        return MappedBytes{};
    }
    void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    // The mapping keeps its own reference to the file.
    ::close(fd);
    if (address == MAP_FAILED) {
        return std::nullopt;
    }
    // Readers jump between headers and tables: read-ahead would load megabytes they never touch.
    ::madvise(address, size, MADV_RANDOM);
    // Another program may truncate the file while it is read; the guard keeps that from killing
    // the bar.
    const int slot = guardMapping(address, size);
    return MappedBytes(
        std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(address), size),
        [address, size, slot] {
            unguardMapping(slot);
            ::munmap(address, size);
        },
        [slot] { return mappingTruncated(slot); });
}

CompoundStream PosixMappedFiles::readCompoundStream(const std::filesystem::path& path,
                                                    const std::string& name,
                                                    std::size_t maxBytes) const {
    return readGsfStream(path, name, maxBytes);
}

} // namespace veskor
