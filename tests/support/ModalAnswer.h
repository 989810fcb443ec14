#pragma once
// Widget tests that meet a modal window: the window is answered from a timer while the code
// under test waits in the window's own event loop.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace veskor::test {

// Runs `act`; the first modal window it opens goes to `answer`. False when none opened.
inline bool answering(const std::function<void(QWidget*)>& answer,
                      const std::function<void()>& act) {
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && !opened) {
            opened = true;
            answer(modal);
        }
    });
    poll.start(10);
    act();
    return opened;
}

} // namespace veskor::test
