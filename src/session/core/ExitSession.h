#pragma once
// Ending the desktop session: log off, reboot, shut down or power off, asked of the system's
// session manager, optionally after the user chose in the selection dialog.

#include "platform/SessionService.h"

#include <cstdint>
#include <functional>
#include <string>

namespace veskor {

enum class ExitType { LogOff, Reboot, ShutDown, PowerOff };

// The selection dialog's codes.
enum class ExitSelection { Cancel = 0, LogOff = 1, Reboot = 2, ShutDown = 3, PowerOff = 4 };

// What the user chose in the selection dialog.
struct ExitChoice {
    ExitSelection selection = ExitSelection::Cancel;
    bool unconditional = false;
};

// Kinds of system by their platform identifier; only Nt asks for the privilege step.
enum class PlatformKind { Win32s, Windows, Nt, Unknown };

[[nodiscard]] PlatformKind platformKind(int platformId);

// The exit flags of a request (ISessionService's kLogOff ... kForce).
[[nodiscard]] std::uint32_t exitFlags(ExitType type, bool unconditional);

// How a run of ExitSession ended.
enum class ExitOutcome { Accepted, Refused, Cancelled };

class ExitSession final {
public:
    // Shows the selection dialog with its top left at (left, top); returns the user's choice.
    using Chooser = std::function<ExitChoice(int left, int top)>;
    using Done = std::function<void(ExitOutcome)>;

    // Without a chooser, a run that should show the dialog ends as if it was cancelled.
    explicit ExitSession(ISessionService& service, Chooser chooser = {});

    [[nodiscard]] ExitType exitType() const { return m_exitType; }
    void setExitType(ExitType type) { m_exitType = type; }
    // The last failure, "Error: " and a number; empty until one happens.
    [[nodiscard]] const std::string& lastError() const { return m_lastError; }
    // The last failure in words, as the session manager or the bus gave it.
    [[nodiscard]] const std::string& reason() const { return m_reason; }
    [[nodiscard]] int listTop() const { return m_listTop; }
    void setListTop(int top) { m_listTop = top; }
    [[nodiscard]] int listLeft() const { return m_listLeft; }
    void setListLeft(int left) { m_listLeft = left; }
    [[nodiscard]] bool showDialog() const { return m_showDialog; }
    void setShowDialog(bool show) { m_showDialog = show; }
    [[nodiscard]] bool unconditional() const { return m_unconditional; }
    void setUnconditional(bool force) { m_unconditional = force; }

    // Asks for the end set in the properties (after the dialog, when shown); `done` learns
    // whether the system accepted it. A refusal sets lastError() and reason() first. The
    // session manager answers later, so this object must outlive the run.
    void execute(Done done);
    // The privilege step alone; on failure lastError() names the half that failed.
    void enableShutdownPrivilege(std::function<void(bool)> done);

private:
    void request(std::uint32_t flags, Done done);
    void record(std::string error, const ISessionService::Answer& answer);

    ISessionService& m_service;
    Chooser m_chooser;
    ExitType m_exitType = ExitType::LogOff;
    std::string m_lastError;
    std::string m_reason;
    int m_error = 0;
    int m_listTop = 220;
    int m_listLeft = 250;
    bool m_showDialog = false;
    bool m_unconditional = false;
};

} // namespace veskor
