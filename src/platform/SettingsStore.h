#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veskor {

// The user's settings key: named 32-bit integer values.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // Creates the key when it does not exist yet; false when it can neither be found nor made.
    virtual bool ensureKey() = 0;
    // The stored value; nullopt when absent. A value that is not a whole 32-bit number throws
    // Error("Invalid data type for '<name>'").
    virtual std::optional<std::int32_t> readInteger(const std::string& name) = 0;
    // Stores all values at once; false when they could not be written.
    virtual bool writeIntegers(const std::vector<std::pair<std::string, std::int32_t>>& values) = 0;
};

} // namespace veskor
