#pragma once
#include "platform/Taskbar.h"

#include <vector>

namespace veskor {

// A desktop with or without a panel; records every request.
class FakeTaskbar final : public ITaskbar {
public:
    bool setVisible(bool show) override {
        requests.push_back(show);
        if (present) {
            visible = show;
        }
        return present;
    }

    bool present = true;
    bool visible = true;
    std::vector<bool> requests;
};

} // namespace veskor
