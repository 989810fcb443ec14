#pragma once
#include <QFrame>

class QAbstractButton;
class QToolButton;

namespace veskor {

class ShadowLabel;

// A side panel of the bar: a grey raised panel, 278 pixels wide, with a close button " x" in its
// top left corner and a yellow title with a black shadow beside it. The panel's content goes
// into contentRect(). Presses on the panel go on to the bar, which is dragged by them.
class SidePanel final : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 278;

    explicit SidePanel(const QString& title, int height, QWidget* parent);

    [[nodiscard]] QAbstractButton* closeButton() const;
    [[nodiscard]] ShadowLabel* titleLabel() const { return m_title; }
    // The area below the title row, inside the frame.
    [[nodiscard]] QRect contentRect() const;

signals:
    void closeClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QToolButton* m_close = nullptr;
    ShadowLabel* m_title = nullptr;
};

} // namespace veskor
