#include "session/core/ExitSession.h"

#include <string>
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

void ExitSession::execute(Done done) {
    if (m_showDialog) {
        const ExitChoice choice = m_chooser ? m_chooser(m_listLeft, m_listTop) : ExitChoice{};
        switch (choice.selection) {
        case ExitSelection::Cancel:
            done(ExitOutcome::Cancelled);
            return;
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
    if (platformKind(m_service.platformId()) != PlatformKind::Nt) {
        request(flags, std::move(done));
        return;
    }
    enableShutdownPrivilege([this, flags, done = std::move(done)](bool allowed) {
        if (allowed) {
            request(flags, done);
            return;
        }
        // A run reports a refused step as it reports a refused request: by its number.
        m_lastError = "Error: " + std::to_string(m_error);
        done(ExitOutcome::Refused);
    });
}

void ExitSession::enableShutdownPrivilege(std::function<void(bool)> done) {
    const std::uint32_t flags = exitFlags(m_exitType, m_unconditional);
    m_service.openPrivilege(
        [this, flags, done = std::move(done)](const ISessionService::Answer& opened) {
            if (opened.error != 0) {
                record("Error: OpenProcessToken", opened);
                done(false);
                return;
            }
            m_service.adjustPrivilege(flags, [this, done](const ISessionService::Answer& adjusted) {
                if (adjusted.error != 0) {
                    record("Error: AdjustTokenPrivileges", adjusted);
                }
                done(adjusted.error == 0);
            });
        });
}

void ExitSession::request(std::uint32_t flags, Done done) {
    m_service.exitSession(
        flags, [this, done = std::move(done)](const ISessionService::Answer& answer) {
            if (answer.error != 0) {
                record("Error: " + std::to_string(answer.error), answer);
            }
            done(answer.error == 0 ? ExitOutcome::Accepted : ExitOutcome::Refused);
        });
}

void ExitSession::record(std::string error, const ISessionService::Answer& answer) {
    m_lastError = std::move(error);
    m_reason = answer.reason;
    m_error = answer.error;
}

} // namespace veskor
