#pragma once
// The strips of the bar window, stacked from the top: the date/time row, the memory row and the
// four side panels. A strip that is shown joins the stack below every shown strip that stands
// higher than its own last top, and above the others; hidden strips keep the top they last had.
// The window is always exactly as tall as the shown strips.

#include <array>
#include <vector>

namespace veskor {

enum class Strip { DateTime, Memory, Calendar, SystemInfo, Calculator, Scope };
inline constexpr int kStripCount = 6;

class TPanelStack {
public:
    TPanelStack();

    [[nodiscard]] bool IsVisible(Strip strip) const { return at(strip).visible; }
    [[nodiscard]] int Top(Strip strip) const { return at(strip).top; }
    [[nodiscard]] int Height(Strip strip) const { return at(strip).height; }
    // The shown strips from the top down.
    [[nodiscard]] const std::vector<Strip>& Order() const { return order_; }
    [[nodiscard]] int WindowHeight() const;

    void Show(Strip strip);
    void Hide(Strip strip);
    // Shows a hidden strip, hides a shown one; returns the new visibility.
    bool Toggle(Strip strip);

private:
    struct Entry {
        int height;
        int top;
        bool visible;
    };
    Entry& at(Strip s) { return entries_[static_cast<std::size_t>(s)]; }
    [[nodiscard]] const Entry& at(Strip s) const { return entries_[static_cast<std::size_t>(s)]; }
    void Relayout();

    std::array<Entry, kStripCount> entries_;
    std::vector<Strip> order_;
};

} // namespace veskor
