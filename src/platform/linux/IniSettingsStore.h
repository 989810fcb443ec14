#pragma once
#include "platform/SettingsStore.h"

#include <filesystem>
#include <memory>

class QSettings;

namespace veskor {

// Settings in an INI file, by default "$XDG_CONFIG_HOME/Orvane/Veskor Pro.conf".
class IniSettingsStore final : public ISettingsStore {
public:
    explicit IniSettingsStore(std::filesystem::path file);
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore&) = delete;
    IniSettingsStore& operator=(const IniSettingsStore&) = delete;
    static std::filesystem::path DefaultFile();

    bool EnsureKey() override;
    std::optional<std::int32_t> ReadInteger(const std::string& name) override;
    bool WriteIntegers(const std::vector<std::pair<std::string, std::int32_t>>& values) override;

private:
    std::filesystem::path file_;
    std::unique_ptr<QSettings> reader_; // the file parsed once for all reads at start
};

} // namespace veskor
