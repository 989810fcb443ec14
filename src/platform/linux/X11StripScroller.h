#pragma once
#include "platform/StripScroller.h"

namespace veskor {

// The X server makes the steps. The strip goes up once into a pixmap, over a connection of the
// scroller's own; on that connection each step is a wait for the server's clock (SYNC's
// SERVERTIME) followed by one copy into the window, two seconds of steps queued at a time and
// topped up twice a second. So the program wakes twice a second, not at every step, and the
// toolkit's backing store takes no part. Works where the server has SYNC and the window's pixels
// are 8-bit red, green and blue in a 32-bit word of this machine's byte order (every common X
// server); elsewhere start() returns nullptr.
class X11StripScroller final : public IStripScroller {
public:
    std::unique_ptr<Running> start(std::uintptr_t window, int x, int y, int width,
                                   StripPixels strip, std::chrono::milliseconds interval,
                                   std::function<int()> nextColumn) override;
};

} // namespace veskor
