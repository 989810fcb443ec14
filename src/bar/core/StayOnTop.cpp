#include "bar/core/StayOnTop.h"

namespace veskor {

StayOnTop::StayOnTop(IWindowState& windowState, std::function<std::uintptr_t()> window)
    : m_windowState(windowState), m_window(std::move(window)) {
    apply();
}

void StayOnTop::setStayOnTop(bool stayOnTop) {
    if (stayOnTop != m_stayOnTop) {
        m_stayOnTop = stayOnTop;
        apply();
    }
}

void StayOnTop::apply() {
    m_windowState.setStayOnTop(m_window(), m_stayOnTop);
}

} // namespace veskor
