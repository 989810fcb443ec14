#include "ui/StatusCell.h"

#include "ui/Style.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace veskor {

namespace {

// A cell is read as a label: its name is what it shows, announced when it changes.
QAccessibleInterface* cellAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(StatusCell::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    }
    return nullptr;
}

} // namespace

StatusCell::StatusCell(QColor background, QColor text, const QString& hint, QWidget* parent)
    : QWidget(parent), m_background(background), m_text(text) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
    m_label = hint.trimmed();
    static const bool kFactoryInstalled = [] {
        QAccessible::installFactory(cellAccessible);
        return true;
    }();
    static_cast<void>(kFactoryInstalled);
    setAccessibleName(m_label);
}

void StatusCell::setCaption(const QString& caption) {
    if (caption != m_caption) {
        m_caption = caption;
        // What a screen reader says: the cell's name, then what it shows.
        setAccessibleName(m_label + ": " + caption);
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
    p.fillRect(r, m_background);
    // Sunken bevel: dark on the top and left, light on the bottom and right.
    p.setPen(style::kGray);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(m_text);
    p.setFont(font());
    p.drawText(r.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
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
