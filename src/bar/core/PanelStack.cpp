#include "bar/core/PanelStack.h"

#include <algorithm>

namespace veskor {

TPanelStack::TPanelStack()
    // Heights and the tops the strips have before they were ever shown.
    : entries_{{{21, 0, true},      // date/time row, always shown
                {21, 21, false},    // memory row
                {264, 41, false},   // calendar
                {229, 208, false},  // system information
                {73, 212, false},   // calculator
                {191, 354, false}}} // memory usage scope
{
    order_.push_back(Strip::DateTime);
}

int TPanelStack::WindowHeight() const {
    int height = 0;
    for (const Strip s : order_) {
        height += at(s).height;
    }
    return height;
}

void TPanelStack::Show(Strip strip) {
    Entry& entry = at(strip);
    if (entry.visible) {
        return;
    }
    const auto below = std::find_if(order_.begin(), order_.end(),
                                    [&](Strip other) { return at(other).top >= entry.top; });
    order_.insert(below, strip);
    entry.visible = true;
    Relayout();
}

void TPanelStack::Hide(Strip strip) {
    Entry& entry = at(strip);
    if (!entry.visible || strip == Strip::DateTime) {
        return;
    }
    order_.erase(std::remove(order_.begin(), order_.end(), strip), order_.end());
    entry.visible = false;
    Relayout();
}

bool TPanelStack::Toggle(Strip strip) {
    if (IsVisible(strip)) {
        Hide(strip);
    } else {
        Show(strip);
    }
    return IsVisible(strip);
}

void TPanelStack::Relayout() {
    int top = 0;
    for (const Strip s : order_) {
        at(s).top = top;
        top += at(s).height;
    }
}

} // namespace veskor
