#pragma once
#include "platform/SystemFacts.h"

#include <memory>

class QGuiApplication;

namespace veskor {

// The primary screen through Qt; nothing without a QGuiApplication or a screen.
class QtScreenFacts final : public IScreenFacts {
public:
    std::optional<ScreenFacts> screen() override;
};

// A QGuiApplication when the X display named by DISPLAY answers, else null: for commands that
// show the screen's facts when there is a display and must work without one.
std::unique_ptr<QGuiApplication> openDisplayIfAny(int& argc, char** argv);

} // namespace veskor
