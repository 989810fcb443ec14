#include "bar/widgets/DragMover.h"

#include <QMouseEvent>
#include <QWidget>

namespace veskor {

DragMover::DragMover(QWidget& window, std::function<void()> released)
    : QObject(&window), m_window(window), m_released(std::move(released)) {
    window.installEventFilter(this);
}

bool DragMover::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != &m_window || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                                 type != QEvent::MouseButtonRelease)) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_offset = mouse->globalPosition().toPoint() - m_window.pos();
        }
        break;
    case QEvent::MouseMove:
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            m_window.move(mouse->globalPosition().toPoint() - m_offset);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragging && mouse->button() == Qt::LeftButton) {
            m_dragging = false;
            m_released();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace veskor
