#include "app/Services.h"

namespace veskor {

LinuxServices::LinuxServices(ClockFrom from, DateTime at)
    : m_fixedClock(at), m_runningClock(m_systemClock, at),
      m_userSettings(IniSettingsStore::defaultFile()) {
    switch (from) {
    case ClockFrom::System:
        m_clock = &m_systemClock;
        break;
    case ClockFrom::Start:
        m_clock = &m_runningClock;
        break;
    case ClockFrom::Fixed:
        m_clock = &m_fixedClock;
        break;
    }
    m_settings = from == ClockFrom::Fixed ? static_cast<ISettingsStore*>(&m_readOnlySettings)
                                          : &m_userSettings;
}

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
