#pragma once
// A dialog border offers the close box only. Window managers that follow the window's hints show
// no minimise or maximise button; one that offers them anyway (openbox ignores those hints on
// purpose) finds the window put back at once: a modal window that vanished into no taskbar would
// leave the bar waiting for an answer no one can give.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace veskor {

class DialogBorder final : public QObject {
public:
    explicit DialogBorder(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::WindowStateChange &&
            (m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) != 0) {
            // After the window manager is done with its own change.
            QTimer::singleShot(0, m_window, [window = m_window] {
                window->setWindowState(window->windowState() &
                                       ~(Qt::WindowMinimized | Qt::WindowMaximized));
                window->raise();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
};

} // namespace veskor
