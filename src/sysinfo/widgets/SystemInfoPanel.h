#pragma once
#include "platform/Processor.h"
#include "platform/SystemFacts.h"
#include "ui/SidePanelDescription.h"

#include <memory>

namespace veskor {

// Where the panel's facts come from. Without all three the panel shows its frame only.
struct SystemInfoSources {
    std::shared_ptr<ISystemFacts> facts;
    std::shared_ptr<IScreenFacts> screen;
    std::shared_ptr<IProcessor> processor;
};

// The system information side panel, opened from the menu or by a double click on a memory cell.
// The facts are gathered when the panel is first built; each opening measures the processor's
// speed and fills the tree afresh.
SidePanelDescription systemInfoSidePanel(SystemInfoSources sources = {});

} // namespace veskor
