#pragma once
// Only so many copies of the program at once. The running copies are counted in places shared by
// every process of the user, named after the executable's file name, so a copy under another
// name is counted apart; a surplus copy acts and ends as set, the others are not told.

#include "common/Error.h"
#include "platform/InstanceSlots.h"

#include <functional>
#include <string>

namespace veskor {

// A second guard in one program.
class InstanceGuardError final : public Error {
public:
    using Error::Error;
};

class InstanceGuard final {
public:
    enum class Action { None, Message, Custom };
    enum class Termination { AppTerminate, Halt, Custom };

    static constexpr int kMostInstances = 65520;

    // `programFile` is the running executable's file name without its folder. Throws
    // InstanceGuardError while another guard exists. Nothing is counted until check().
    InstanceGuard(IInstanceSlots& slots, const std::string& programFile);
    // Releases this copy's place.
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // Stored as 1 ... kMostInstances.
    [[nodiscard]] int maxInstances() const { return m_maxInstances; }
    void setMaxInstances(int count);
    [[nodiscard]] Action action() const { return m_action; }
    void setAction(Action action) { m_action = action; }
    [[nodiscard]] Termination termination() const { return m_termination; }
    void setTermination(Termination style) { m_termination = style; }
    // Run by Action::Custom and Termination::Custom.
    void setOnAction(std::function<void(InstanceGuard&)> handler) {
        m_onAction = std::move(handler);
    }
    void setOnTerminate(std::function<void(InstanceGuard&)> handler) {
        m_onTerminate = std::move(handler);
    }
    // How Action::Message shows its text (an error message box in the program).
    void setMessageDisplay(std::function<void(const std::string&)> display) {
        m_display = std::move(display);
    }
    // The application's request to end, for Termination::AppTerminate.
    void setQuitRequest(std::function<void()> quit) { m_quit = std::move(quit); }

    [[nodiscard]] const std::string& name() const { return m_name; }
    [[nodiscard]] bool isCounted() const { return m_counted; }

    // Counts this copy; when the most copies already run, acts and ends it as set. Where the
    // places cannot be had, the copy runs without a limit.
    void check();

private:
    IInstanceSlots& m_slots;
    std::string m_name;
    int m_maxInstances = 1;
    Action m_action = Action::Message;
    Termination m_termination = Termination::AppTerminate;
    std::function<void(InstanceGuard&)> m_onAction;
    std::function<void(InstanceGuard&)> m_onTerminate;
    std::function<void(const std::string&)> m_display;
    std::function<void()> m_quit;
    bool m_counted = false;
};

} // namespace veskor
