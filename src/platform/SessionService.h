#pragma once
#include <cstdint>

namespace veskor {

// The system's session manager, asked to end the user's session or the machine. Requests are
// described by exit flags (decoding the user's choice into them is ExitSession's job).
class ISessionService {
public:
    // Exit flags: one kind, plus kForce.
    static constexpr std::uint32_t kLogOff = 0;
    static constexpr std::uint32_t kShutDown = 1;
    static constexpr std::uint32_t kReboot = 2;
    static constexpr std::uint32_t kForce = 4;
    static constexpr std::uint32_t kPowerOff = 8;

    virtual ~ISessionService() = default;
    // The raw identifier of the kind of system: 2 when a request needs the privilege step first.
    virtual int platformId() = 0;
    // First half of the privilege step: reaches the session manager; false when it cannot.
    virtual bool openPrivilege() = 0;
    // Second half: whether this user may end what `flags` ask (polkit may still ask later).
    virtual bool adjustPrivilege(std::uint32_t flags) = 0;
    // Asks for the end that `flags` describe; true when the session manager accepted it.
    virtual bool exitSession(std::uint32_t flags) = 0;
    // The error number (errno style) of the last call, 0 after one that succeeded.
    [[nodiscard]] virtual int lastError() const = 0;
};

} // namespace veskor
