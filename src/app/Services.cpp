#include "app/Services.h"

namespace veskor {

LinuxServices::LinuxServices(std::optional<DateTime> fixedNow)
    : m_fixedClock(fixedNow.value_or(0)),
      m_clock(fixedNow ? static_cast<IClock*>(&m_fixedClock) : &m_systemClock),
      m_userSettings(IniSettingsStore::defaultFile()),
      m_settings(fixedNow ? static_cast<ISettingsStore*>(&m_readOnlySettings) : &m_userSettings) {}

BarServices LinuxServices::forBar(const std::filesystem::path& dataDir,
                                  std::function<void(const QString&)> report) {
    return {*m_clock,
            m_memory,
            *m_settings,
            m_windowState,
            m_taskbar,
            m_files,
            LocaleFormat::system(),
            dataDir,
            std::move(report)};
}

} // namespace veskor
