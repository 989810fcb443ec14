#pragma once

namespace veskor {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Pulls a window back onto a screen of the given size, over whichever edges it crosses. A window
// larger than the screen keeps its top left corner on it, where the bar's rows are.
constexpr WindowRect pullOntoScreen(WindowRect w, int screenWidth, int screenHeight) {
    // Stored positions may be any 32-bit number: computed wide, so that no sum overflows.
    const auto fit = [](long long start, long long size, long long room) {
        if (start + size > room) {
            start = room - size;
        }
        return static_cast<int>(start < 0 ? 0 : start);
    };
    w.top = fit(w.top, w.height, screenHeight);
    w.left = fit(w.left, w.width, screenWidth);
    return w;
}

} // namespace veskor
