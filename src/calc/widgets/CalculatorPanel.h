#pragma once
#include "ui/SidePanelDescription.h"

namespace veskor {

// The calculator side panel.
SidePanelDescription calculatorSidePanel();

} // namespace veskor
