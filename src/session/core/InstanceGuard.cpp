#include "session/core/InstanceGuard.h"

#include <algorithm>
#include <cstdlib>

namespace veskor {

namespace {

// The one guard of the program.
const InstanceGuard* g_guard = nullptr;

} // namespace

InstanceGuard::InstanceGuard(IInstanceSlots& slots, const std::string& programFile)
    : m_slots(slots), m_name("Quenby.CloneControl." + programFile) {
    if (g_guard != nullptr) {
        throw InstanceGuardError("Only one instance of CloneControl allowed");
    }
    g_guard = this;
}

InstanceGuard::~InstanceGuard() {
    if (m_counted) {
        m_slots.release();
    }
    g_guard = nullptr;
}

void InstanceGuard::setMaxInstances(int count) {
    m_maxInstances = std::clamp(count, 1, kMostInstances);
}

void InstanceGuard::check() {
    switch (m_slots.take(m_name, m_maxInstances)) {
    case IInstanceSlots::Take::Taken:
        m_counted = true;
        return;
    case IInstanceSlots::Take::Unavailable:
        return;
    case IInstanceSlots::Take::Full:
        break;
    }
    switch (m_action) {
    case Action::None:
        break;
    case Action::Message:
        if (m_display) {
            m_display(formatMessage("Only %d instance(s) of application is allowed",
                                    static_cast<long long>(m_maxInstances)));
        }
        break;
    case Action::Custom:
        if (m_onAction) {
            m_onAction(*this);
        }
        break;
    }
    switch (m_termination) {
    case Termination::AppTerminate:
        if (m_quit) {
            m_quit();
        }
        break;
    case Termination::Halt:
        std::exit(0);
    case Termination::Custom:
        if (m_onTerminate) {
            m_onTerminate(*this);
        }
        break;
    }
}

} // namespace veskor
