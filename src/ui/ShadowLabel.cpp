#include "ui/ShadowLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace veskor {

ShadowLabel::ShadowLabel(const QString& text, QColor color, QColor shadow, QWidget* parent)
    : QWidget(parent), text_(text), color_(color), shadow_(shadow) {}

void ShadowLabel::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        updateGeometry();
        update();
    }
}

QSize ShadowLabel::sizeHint() const {
    const QFontMetrics fm(font());
    // One more pixel each way for the shadow.
    return {fm.horizontalAdvance(text_) + 1, fm.height() + 1};
}

void ShadowLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setFont(font());
    const QRect r = rect().adjusted(0, 0, -1, -1);
    constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    p.setPen(shadow_);
    p.drawText(r.translated(1, 1), flags, text_);
    p.setPen(color_);
    p.drawText(r, flags, text_);
}

void ShadowLabel::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}

} // namespace veskor
