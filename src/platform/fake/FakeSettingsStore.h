#pragma once
#include "platform/SettingsStore.h"

#include <map>
#include <variant>

namespace veskor {

// In-memory settings key. A value held as text is a value of the wrong type; failWrites and
// failKey stand for a folder that cannot be written.
class FakeSettingsStore final : public ISettingsStore {
public:
    using Value = std::variant<std::int32_t, std::string>;

    bool ensureKey() override;
    std::optional<std::int32_t> readInteger(const std::string& name) override;
    bool writeIntegers(const std::vector<std::pair<std::string, std::int32_t>>& values) override;

    std::map<std::string, Value> values;
    bool keyExists = false;
    bool failKey = false;
    bool failWrites = false;
    int writes = 0;
    int reads = 0;
};

} // namespace veskor
