#include "bar/core/TopMost.h"

namespace veskor {

TopMost::TopMost(IWindowState& windowState, std::function<std::uintptr_t()> window)
    : m_windowState(windowState), m_window(std::move(window)) {
    apply();
}

void TopMost::setTopMost(bool topMost) {
    if (topMost != m_topMost) {
        m_topMost = topMost;
        apply();
    }
}

void TopMost::apply() {
    m_windowState.setStaysOnTop(m_window(), m_topMost);
}

} // namespace veskor
