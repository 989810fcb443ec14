#include "ui/BalloonHint.h"

#include "ui/Style.h"

#include <QApplication>
#include <QBitmap>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

namespace veskor {

namespace {
constexpr int kShadow = 3; // shadow offset to the lower right, pixels
constexpr int kRadius = 6; // corner radius of the bubble
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 4;
constexpr int kShowMs = 10000; // how long a hint stays without a mouse move
} // namespace

class BalloonBubble final : public QWidget {
public:
    explicit BalloonBubble(QColor color)
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_color(color) {
        QFont f;
        f.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
        f.setPixelSize(11);
        setFont(f);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

    void setText(const QString& text) {
        // "\n\r" too: the alarms' hint joins its entries so.
        m_lines = text.split(QRegularExpression("\r\n|\n\r|\r|\n"));
        const QFontMetrics fm(font());
        int width = 0;
        for (const QString& line : m_lines) {
            width = std::max(width, fm.horizontalAdvance(line));
        }
        m_bubble = QRect(0, 0, width + 2 * kPaddingX,
                         static_cast<int>(m_lines.size()) * fm.height() + 2 * kPaddingY);
        resize(m_bubble.width() + kShadow, m_bubble.height() + kShadow);
        // No compositor can be assumed, so the round shape is a window mask, not transparency.
        // The mask is made from the very pixels the shape paints, so nothing shows around it.
        QImage shape(size(), QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        QPainter p(&shape);
        paintShape(p);
        p.end();
        setMask(QBitmap::fromImage(shape.createAlphaMask()));
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        paintShape(p);
        p.setPen(Qt::black);
        const QFontMetrics fm(font());
        int y = kPaddingY + fm.ascent();
        for (const QString& line : m_lines) {
            p.drawText(kPaddingX, y, line);
            y += fm.height();
        }
    }

private:
    // The shadow and the outlined bubble, without the text.
    void paintShape(QPainter& p) const {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(style::kHintShadow);
        p.drawRoundedRect(m_bubble.translated(kShadow, kShadow), kRadius, kRadius);
        p.setBrush(m_color);
        p.setPen(Qt::black);
        p.drawRoundedRect(m_bubble.adjusted(0, 0, -1, -1), kRadius, kRadius);
    }

    QColor m_color;
    QStringList m_lines;
    QRect m_bubble;
};

BalloonHints::BalloonHints(QColor color, QObject* parent) : QObject(parent), m_color(color) {
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &BalloonHints::hideHint);
    qApp->installEventFilter(this);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, m_color);
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}

BalloonHints::~BalloonHints() {
    delete m_bubble;
}

QWidget* BalloonHints::visibleBubble() const {
    return m_bubble != nullptr && m_bubble->isVisible() ? m_bubble : nullptr;
}

void BalloonHints::hideHint() {
    if (m_bubble != nullptr) {
        m_bubble->hide();
    }
    m_owner = nullptr;
}

void BalloonHints::showHint(QWidget* owner, const QPoint& globalPos) {
    if (m_bubble == nullptr) {
        m_bubble = new BalloonBubble(m_color);
    }
    m_owner = owner;
    m_bubble->setText(owner->toolTip());
    // Below the cursor, kept on the screen the cursor is on.
    QPoint pos = globalPos + QPoint(0, 20);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->geometry();
        pos.setX(std::clamp(pos.x(), area.left(), area.right() - m_bubble->width() + 1));
        if (pos.y() + m_bubble->height() > area.bottom() + 1) {
            pos.setY(globalPos.y() - m_bubble->height() - 4);
        }
    }
    m_bubble->move(pos);
    m_bubble->show();
    m_bubble->raise();
    m_hideTimer.start(kShowMs);
}

bool BalloonHints::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) {
            break;
        }
        if (widget->toolTip().isEmpty()) {
            // Widgets that make their tips on the spot (item views, the tray icon) keep doing
            // so, in the toolkit's tooltip with the same hint colour.
            hideHint();
            break;
        }
        showHint(widget, static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_owner) {
            hideHint();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        if (m_owner != nullptr) {
            hideHint();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veskor
