#pragma once
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace veskor {

// Moves a frameless window while the left button drags it. The window follows the mouse itself
// rather than through the window manager's move: the position it then saves is exactly where it
// was left, however busy the machine is (a window-manager move can leave the window and the
// toolkit's idea of it out of step). `released` runs at every release, also after a press that
// did not move the window.
class DragMover final : public QObject {
public:
    DragMover(QWidget& window, std::function<void()> released);

    [[nodiscard]] bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void()> m_released;
    bool m_dragging = false;
    QPoint m_offset;
};

} // namespace veskor
