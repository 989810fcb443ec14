#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <utility>

namespace veskor {

// A read-only view of a whole file that stays valid while this object lives; move-only.
class MappedBytes final {
public:
    MappedBytes() = default;
    // Takes the view and what frees it (called once, when this object dies).
    MappedBytes(std::span<const std::uint8_t> bytes, std::function<void()> release)
        : m_bytes(bytes), m_release(std::move(release)) {}
    MappedBytes(MappedBytes&& other) noexcept
        : m_bytes(std::exchange(other.m_bytes, {})), m_release(std::exchange(other.m_release, {})) {
    }
    MappedBytes& operator=(MappedBytes&& other) noexcept {
        if (this != &other) {
            reset();
            m_bytes = std::exchange(other.m_bytes, {});
            m_release = std::exchange(other.m_release, {});
        }
        return *this;
    }
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    ~MappedBytes() { reset(); }

    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return m_bytes; }

private:
    void reset() {
        if (m_release)
            std::exchange(m_release, {})();
        m_bytes = {};
    }

    std::span<const std::uint8_t> m_bytes;
    std::function<void()> m_release;
};

// Files opened for reading in place: only the pages a reader touches are loaded.
class IMappedFiles {
public:
    virtual ~IMappedFiles() = default;
    // The file's bytes (an empty view for an empty file); nothing when it is missing, unreadable
    // or no regular file (a FIFO or device is never opened in a way that could block).
    [[nodiscard]] virtual std::optional<MappedBytes>
    map(const std::filesystem::path& path) const = 0;
};

} // namespace veskor
