#include "platform/fake/FakeSettingsStore.h"

#include "common/Error.h"

namespace veskor {

bool FakeSettingsStore::ensureKey() {
    if (!keyExists && !failKey) {
        keyExists = true;
    }
    return keyExists;
}

std::optional<std::int32_t> FakeSettingsStore::readInteger(const std::string& name) {
    ++reads;
    const auto it = values.find(name);
    if (it == values.end()) {
        return std::nullopt;
    }
    if (const auto* number = std::get_if<std::int32_t>(&it->second)) {
        return *number;
    }
    throw Error(formatMessage("Invalid data type for '%s'", name));
}

bool FakeSettingsStore::writeIntegers(
    const std::vector<std::pair<std::string, std::int32_t>>& newValues) {
    if (failWrites) {
        return false;
    }
    ++writes;
    keyExists = true;
    for (const auto& [name, value] : newValues) {
        values[name] = value;
    }
    return true;
}

} // namespace veskor
