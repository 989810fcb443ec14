#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veskor {

// A read-only view of a whole file that stays valid while this object lives; move-only.
class MappedBytes final {
public:
    MappedBytes() = default;
    // Takes the view, what frees it (called once, when this object dies) and, optionally, what
    // tells whether the file was cut short under the reader.
    MappedBytes(std::span<const std::uint8_t> bytes, std::function<void()> release,
                std::function<bool()> truncated = {})
        : m_bytes(bytes), m_release(std::move(release)), m_truncated(std::move(truncated)) {}
    MappedBytes(MappedBytes&& other) noexcept
        : m_bytes(std::exchange(other.m_bytes, {})), m_release(std::exchange(other.m_release, {})),
          m_truncated(std::exchange(other.m_truncated, {})) {}
    MappedBytes& operator=(MappedBytes&& other) noexcept {
        if (this != &other) {
            reset();
            m_bytes = std::exchange(other.m_bytes, {});
            m_release = std::exchange(other.m_release, {});
            m_truncated = std::exchange(other.m_truncated, {});
        }
        return *this;
    }
    MappedBytes(const MappedBytes&) = delete;
    MappedBytes& operator=(const MappedBytes&) = delete;
    ~MappedBytes() { reset(); }

    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return m_bytes; }
    // Another program truncated the file and some bytes read so far were zeros instead of the
    // file's: whatever was read from them is not the file's content.
    [[nodiscard]] bool truncatedWhileRead() const { return m_truncated && m_truncated(); }

private:
    void reset() {
        m_truncated = {};
        if (m_release)
            std::exchange(m_release, {})();
        m_bytes = {};
    }

    std::span<const std::uint8_t> m_bytes;
    std::function<void()> m_release;
    std::function<bool()> m_truncated;
};

// One stream of a compound document (an OLE container), or why it could not be read.
struct CompoundStream {
    enum class Failure { None, NoLibrary, CannotOpen, NotCompound, NoStream, CannotRead };
    Failure failure = Failure::None;
    std::string reason;           // the system's or the library's words for a failure; may be empty
    std::vector<std::byte> bytes; // the stream's first bytes, as many as were asked for at most
    std::uint64_t size = 0;       // the stream's whole length
    std::vector<std::string> messages; // what the library said about damage while it read
};

// Files opened for reading: in place, where only the pages a reader touches are loaded, or as
// compound documents through the container library.
class IMappedFiles {
public:
    virtual ~IMappedFiles() = default;
    // The file's bytes (an empty view for an empty file); nothing when it is missing, unreadable
    // or no regular file (a FIFO or device is never opened in a way that could block).
    [[nodiscard]] virtual std::optional<MappedBytes>
    map(const std::filesystem::path& path) const = 0;
    // Up to maxBytes of the stream `name` (not a storage) of the compound document at path, which
    // must be a regular file (a FIFO is never waited on).
    [[nodiscard]] virtual CompoundStream readCompoundStream(const std::filesystem::path& path,
                                                            const std::string& name,
                                                            std::size_t maxBytes) const = 0;
};

} // namespace veskor
