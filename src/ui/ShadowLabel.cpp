#include "ui/ShadowLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace veskor {

ShadowLabel::ShadowLabel(const QString& text, QColor color, QColor shadow, QWidget* parent)
    : QWidget(parent), m_text(text), m_color(color), m_shadow(shadow) {}

void ShadowLabel::setText(const QString& text) {
    if (text != m_text) {
        m_text = text;
        updateGeometry();
        update();
    }
}

QSize ShadowLabel::sizeHint() const {
    const QFontMetrics fm(font());
    // One more pixel each way for the shadow.
    return {fm.horizontalAdvance(m_text) + 1, fm.height() + 1};
}

void ShadowLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setFont(font());
    const QRect r = rect().adjusted(0, 0, -1, -1);
    constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    p.setPen(m_shadow);
    p.drawText(r.translated(1, 1), flags, m_text);
    p.setPen(m_color);
    p.drawText(r, flags, m_text);
}

void ShadowLabel::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}

} // namespace veskor
