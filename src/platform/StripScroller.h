#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace veskor {

// A picture wider than the area it is shown in: 0xffRRGGBB pixels, row after row.
struct StripPixels {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// Moves a picture across part of a window at a steady pace without waking the program at every
// step: the display keeps the picture and makes the steps itself.
class IStripScroller {
public:
    // The steps go on while this lives, and stop when it is destroyed.
    class Running {
    public:
        virtual ~Running() = default;
        // The column the display shows now; -1 before the first step.
        [[nodiscard]] virtual int shownColumn() const = 0;
    };

    virtual ~IStripScroller() = default;
    // Every `interval` shows the strip's columns from nextColumn() on, `width` of them and the
    // strip's full height, at (x, y) of the top-level `window`. nextColumn is called on this
    // thread, a batch at a time, ahead of the steps it is for. nullptr where this display cannot:
    // the caller then moves the picture itself.
    virtual std::unique_ptr<Running> start(std::uintptr_t window, int x, int y, int width,
                                           StripPixels strip, std::chrono::milliseconds interval,
                                           std::function<int()> nextColumn) = 0;
};

} // namespace veskor
