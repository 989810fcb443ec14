#include "session/core/ExitSession.h"

#include <utility>

namespace veskor {

PlatformKind platformKind(int platformId) {
    switch (platformId) {
    case 0:
        return PlatformKind::Win32s;
    case 1:
        return PlatformKind::Windows;
    case 2:
        return PlatformKind::Nt;
    default:
        return PlatformKind::Unknown;
    }
}

std::uint32_t exitFlags(ExitType type, bool unconditional) {
    std::uint32_t flags = ISessionService::kLogOff;
    switch (type) {
    case ExitType::LogOff:
        flags = ISessionService::kLogOff;
        break;
    case ExitType::Reboot:
        flags = ISessionService::kReboot;
        break;
    case ExitType::ShutDown:
        flags = ISessionService::kShutDown;
        break;
    case ExitType::PowerOff:
        flags = ISessionService::kPowerOff;
        break;
    }
    return unconditional ? flags | ISessionService::kForce : flags;
}

ExitSession::ExitSession(ISessionService& service, Chooser chooser)
    : m_service(service), m_chooser(std::move(chooser)) {}

bool ExitSession::execute() {
    if (m_showDialog) {
        const ExitChoice choice = m_chooser ? m_chooser(m_listLeft, m_listTop) : ExitChoice{};
        switch (choice.selection) {
        case ExitSelection::Cancel:
            return false;
        case ExitSelection::LogOff:
            m_exitType = ExitType::LogOff;
            break;
        case ExitSelection::Reboot:
            m_exitType = ExitType::Reboot;
            break;
        case ExitSelection::ShutDown:
            m_exitType = ExitType::ShutDown;
            break;
        case ExitSelection::PowerOff:
            m_exitType = ExitType::PowerOff;
            break;
        }
        // The box only ever switches forcing on.
        if (choice.unconditional) {
            m_unconditional = true;
        }
    }
    const std::uint32_t flags = exitFlags(m_exitType, m_unconditional);
    bool done = false;
    if (platformKind(m_service.platformId()) == PlatformKind::Nt) {
        done = enableShutdownPrivilege() && m_service.exitSession(flags);
    } else {
        done = m_service.exitSession(flags);
    }
    if (!done) {
        m_lastError = "Error: " + std::to_string(m_service.lastError());
    }
    return done;
}

bool ExitSession::enableShutdownPrivilege() {
    if (!m_service.openPrivilege()) {
        m_lastError = "Error: OpenProcessToken";
        return false;
    }
    if (!m_service.adjustPrivilege(exitFlags(m_exitType, m_unconditional))) {
        m_lastError = "Error: AdjustTokenPrivileges";
        return false;
    }
    return true;
}

} // namespace veskor
