#pragma once
#include <QColor>
#include <QWidget>

namespace veskor {

// One cell of the bar: a sunken panel with bold centred text in the bar's colours. Presses are
// left to the parent (so the bar can be dragged by its cells); double clicks are reported.
class StatusCell final : public QWidget {
    Q_OBJECT
public:
    StatusCell(QColor background, QColor text, const QString& hint, QWidget* parent);

    // Repaints only when the text really changed: the tick sets every caption each second.
    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    void setHint(const QString& hint);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_background;
    QColor m_text;
    QString m_caption;
    QString m_label; // the hint the cell was made with: "Date", "Time"...
};

} // namespace veskor
