#include "calc/core/KeypadPlacement.h"

namespace veskor {

QPoint keypadPosition(const QRect& field, QSize keypad, const QRect& screen, bool alignRight) {
    // QRect's right() and bottom() are the last pixels inside, hence the + 1.
    int left = alignRight ? field.right() + 1 - keypad.width() : field.left();
    int top = field.bottom() + 1;
    if (left < screen.left()) {
        left = screen.left();
    }
    if (left + keypad.width() > screen.right() + 1) {
        left = screen.right() + 1 - keypad.width();
    }
    if (top + keypad.height() > screen.bottom() + 1) {
        top = field.top() - keypad.height();
    }
    return {left, top};
}

} // namespace veskor
