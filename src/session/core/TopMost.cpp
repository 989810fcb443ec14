#include "session/core/TopMost.h"

namespace veskor {

TTopMost::TTopMost(IWindowState& windowState, std::function<std::uintptr_t()> window)
    : windowState_(windowState), window_(std::move(window)) {
    Apply();
}

void TTopMost::SetTopMost(bool topMost) {
    if (topMost != topMost_) {
        topMost_ = topMost;
        Apply();
    }
}

void TTopMost::Apply() {
    windowState_.SetStaysOnTop(window_(), topMost_);
}

} // namespace veskor
