#pragma once
#include <QColor>
#include <QWidget>

namespace veskor {

// A one-line caption with a copy in the shadow colour one pixel to the lower right, as the side
// panels' titles are drawn. Presses go on to the parent so the bar can be dragged by its titles.
class ShadowLabel final : public QWidget {
    Q_OBJECT
public:
    explicit ShadowLabel(const QString& text, QColor color, QColor shadow, QWidget* parent);

    void setText(const QString& text);
    [[nodiscard]] const QString& text() const { return m_text; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_text;
    QColor m_color;
    QColor m_shadow;
};

} // namespace veskor
