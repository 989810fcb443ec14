#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace veskor {

// Where the keypad opens, in screen coordinates: its top at the field's bottom, its left edge on
// the field's (right edges aligned with alignRight), moved back onto the screen at the left and
// the right, and above the field when it would pass the screen's bottom.
QPoint keypadPosition(const QRect& field, QSize keypad, const QRect& screen, bool alignRight);

} // namespace veskor
