#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace veskor {

// The system's session manager, asked to end the user's session or the machine. Requests are
// described by exit flags (decoding the user's choice into them is ExitSession's job). Every
// call returns at once; its answer comes to `reply`, once, never after the service is gone.
class ISessionService {
public:
    // Exit flags: one kind, plus kForce.
    static constexpr std::uint32_t kLogOff = 0;
    static constexpr std::uint32_t kShutDown = 1;
    static constexpr std::uint32_t kReboot = 2;
    static constexpr std::uint32_t kForce = 4;
    static constexpr std::uint32_t kPowerOff = 8;

    // The session manager's answer: error 0 when it agreed, else an error number (errno style)
    // and the reason in words, as the manager or the bus gave it.
    struct Answer {
        int error = 0;
        std::string reason;
    };
    using Reply = std::function<void(const Answer&)>;

    virtual ~ISessionService() = default;
    // The raw identifier of the kind of system: 2 when a request needs the privilege step first.
    virtual int platformId() = 0;
    // First half of the privilege step: reaches the session manager.
    virtual void openPrivilege(Reply reply) = 0;
    // Second half: whether this user may end what `flags` ask (polkit may still ask later).
    virtual void adjustPrivilege(std::uint32_t flags, Reply reply) = 0;
    // Asks for the end that `flags` describe; error 0 when the session manager accepted it.
    virtual void exitSession(std::uint32_t flags, Reply reply) = 0;
};

} // namespace veskor
