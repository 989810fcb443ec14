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
    static std::filesystem::path defaultFile();

    bool ensureKey() override;
    std::optional<std::int32_t> readInteger(const std::string& name) override;
    bool writeIntegers(const std::vector<std::pair<std::string, std::int32_t>>& values) override;

private:
    std::filesystem::path m_file;
    bool m_readerOpened = false;
    std::unique_ptr<QSettings> m_reader; // the file parsed once for all reads; null when special
};

} // namespace veskor
