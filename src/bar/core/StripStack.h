#pragma once
// The strips of the bar window, stacked from the top: the date/time row, the memory row and the
// side panels. A strip that is shown joins the stack below every shown strip that stands higher
// than its own last top, and above the others; hidden strips keep the top they last had. The
// window is always exactly as tall as the shown strips. The first strip (the date/time row) is
// always shown.

#include <cstddef>
#include <vector>

namespace veskor {

class StripStack {
public:
    using Strip = std::size_t;

    // The first strip, shown from the start and never hidden.
    explicit StripStack(int firstHeight);

    // Adds a hidden strip with the top it has until it is first shown.
    Strip add(int height, int firstTop);

    [[nodiscard]] std::size_t count() const { return m_entries.size(); }
    [[nodiscard]] bool isVisible(Strip strip) const { return m_entries.at(strip).visible; }
    [[nodiscard]] int top(Strip strip) const { return m_entries.at(strip).top; }
    [[nodiscard]] int height(Strip strip) const { return m_entries.at(strip).height; }
    // The shown strips from the top down.
    [[nodiscard]] const std::vector<Strip>& order() const { return m_order; }
    [[nodiscard]] int windowHeight() const;

    void show(Strip strip);
    void hide(Strip strip);
    // Shows a hidden strip, hides a shown one; returns the new visibility.
    bool toggle(Strip strip);

private:
    struct Entry {
        int height;
        int top;
        bool visible;
    };
    void relayout();

    std::vector<Entry> m_entries;
    std::vector<Strip> m_order;
};

} // namespace veskor
