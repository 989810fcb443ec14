#include "bar/core/StripStack.h"

#include <algorithm>

namespace veskor {

StripStack::StripStack(int firstHeight) : m_entries{{firstHeight, 0, true}}, m_order{0} {}

StripStack::Strip StripStack::add(int height, int firstTop) {
    m_entries.push_back({height, firstTop, false});
    return m_entries.size() - 1;
}

int StripStack::windowHeight() const {
    int height = 0;
    for (const Strip s : m_order) {
        height += m_entries[s].height;
    }
    return height;
}

void StripStack::show(Strip strip) {
    Entry& entry = m_entries.at(strip);
    if (entry.visible) {
        return;
    }
    const auto below = std::ranges::find_if(
        m_order, [&](Strip other) { return m_entries[other].top >= entry.top; });
    m_order.insert(below, strip);
    entry.visible = true;
    relayout();
}

void StripStack::hide(Strip strip) {
    Entry& entry = m_entries.at(strip);
    if (!entry.visible || strip == 0) {
        return;
    }
    std::erase(m_order, strip);
    entry.visible = false;
    relayout();
}

bool StripStack::toggle(Strip strip) {
    if (isVisible(strip)) {
        hide(strip);
    } else {
        show(strip);
    }
    return isVisible(strip);
}

void StripStack::relayout() {
    int top = 0;
    for (const Strip s : m_order) {
        m_entries[s].top = top;
        top += m_entries[s].height;
    }
}

} // namespace veskor
