#pragma once
#include "platform/StripScroller.h"

#include <vector>

namespace veskor {

// Keeps what every start was given and counts the runs not yet stopped. The test asks for the
// steps as the display would, ahead of time, and says which column is on screen.
class FakeStripScroller final : public IStripScroller {
public:
    struct Start {
        std::uintptr_t window;
        int x;
        int y;
        int width;
        std::vector<std::uint32_t> pixels;
        int stripWidth;
        int stripHeight;
        std::chrono::milliseconds interval;
        std::function<int()> nextColumn;
    };

    std::unique_ptr<Running> start(std::uintptr_t window, int x, int y, int width,
                                   StripPixels strip, std::chrono::milliseconds interval,
                                   std::function<int()> nextColumn) override {
        starts.push_back({window,
                          x,
                          y,
                          width,
                          {strip.pixels.begin(), strip.pixels.end()},
                          strip.width,
                          strip.height,
                          interval,
                          std::move(nextColumn)});
        return std::make_unique<Run>(*this);
    }
    // The next step of the latest run: the column it will show.
    int step() { return starts.back().nextColumn(); }

    std::vector<Start> starts;
    int running = 0;
    int shown = -1; // the column on screen; -1 before the first step

private:
    class Run final : public Running {
    public:
        explicit Run(FakeStripScroller& scroller) : m_scroller(scroller) {
            ++m_scroller.running;
            m_scroller.shown = -1;
        }
        ~Run() override { --m_scroller.running; }
        [[nodiscard]] int shownColumn() const override { return m_scroller.shown; }
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;
        Run(Run&&) = delete;
        Run& operator=(Run&&) = delete;

    private:
        FakeStripScroller& m_scroller;
    };
};

} // namespace veskor
