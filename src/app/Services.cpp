#include "app/Services.h"

#include "platform/linux/LinuxProcessor.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/LogindSession.h"
#include "platform/linux/QtScreenFacts.h"

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
    m_picture = from == ClockFrom::Fixed;
    m_settings = m_picture ? static_cast<ISettingsStore*>(&m_readOnlySettings) : &m_userSettings;
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

FeatureServices LinuxServices::forFeatures(const std::filesystem::path& dataDir) {
    return {*m_clock,
            m_picture ? static_cast<IFileStore&>(m_readOnlyFiles) : m_files,
            m_beep,
            m_picture ? nullptr : &m_stripScroller,
            *m_settings,
            m_mappedFiles,
            std::make_shared<LinuxSystemFacts>(),
            std::make_shared<QtScreenFacts>(),
            std::make_shared<LinuxProcessor>(),
            m_picture ? nullptr : std::make_shared<LogindSession>(),
            dataDir,
            !m_picture};
}

} // namespace veskor
