#include "ui/StatusCell.h"

#include <QMouseEvent>
#include <QPainter>

namespace veskor {

StatusCell::StatusCell(QColor background, QColor text, const QString& hint, QWidget* parent)
    : QWidget(parent), background_(background), text_(text) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
}

void StatusCell::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

void StatusCell::setHint(const QString& hint) {
    if (hint != toolTip()) {
        setToolTip(hint);
    }
}

void StatusCell::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, background_);
    // Sunken bevel: dark on the top and left, light on the bottom and right.
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(text_);
    p.setFont(font());
    p.drawText(r.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

void StatusCell::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace veskor
