#pragma once
#include <QColor>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace veskor {

class BalloonBubble;

// The program's hints: instead of the toolkit's tooltip, a rounded bubble with a shadow to the
// lower right, in the hint colour, one line per "\r\n"-separated line of the hint.
class BalloonHints final : public QObject {
    Q_OBJECT
public:
    // Installs the hints for the whole application; parent owns them.
    BalloonHints(QColor color, QObject* parent);
    ~BalloonHints() override;

    // The bubble on screen, or nullptr (for tests).
    QWidget* visibleBubble() const;
    void hideHint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHint(QWidget* owner, const QPoint& globalPos);

    QColor m_color;
    QPointer<QWidget> m_owner;
    BalloonBubble* m_bubble = nullptr; // created on first use
    QTimer m_hideTimer;
};

} // namespace veskor
