#pragma once

namespace veskor {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Pulls a window back over the bottom and right edges of a screen of the given size. A window
// above or left of the screen stays there, as the bar always did.
constexpr WindowRect pullOntoScreen(WindowRect w, int screenWidth, int screenHeight) {
    if (w.top + w.height > screenHeight) {
        w.top = screenHeight - w.height;
    }
    if (w.left + w.width > screenWidth) {
        w.left = screenWidth - w.width;
    }
    return w;
}

} // namespace veskor
