#include "ui/BalloonHint.h"

#include <QApplication>
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
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), color_(color) {
        QFont f;
        f.setFamilies({"MS Sans Serif", "DejaVu Sans", "Liberation Sans"});
        f.setPixelSize(11);
        setFont(f);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

    void setText(const QString& text) {
        lines_ = text.split(QRegularExpression("\r\n|\r|\n"));
        const QFontMetrics fm(font());
        int width = 0;
        for (const QString& line : lines_) {
            width = std::max(width, fm.horizontalAdvance(line));
        }
        bubble_ = QRect(0, 0, width + 2 * kPaddingX,
                        static_cast<int>(lines_.size()) * fm.height() + 2 * kPaddingY);
        resize(bubble_.width() + kShadow, bubble_.height() + kShadow);
        // No compositor can be assumed, so the round shape is a window mask, not transparency.
        const auto rounded = [](const QRect& r) {
            QPainterPath path;
            path.addRoundedRect(r.adjusted(0, 0, 1, 1), kRadius, kRadius);
            return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
        };
        setMask(rounded(bubble_) | rounded(bubble_.translated(kShadow, kShadow)));
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(64, 64, 64));
        p.drawRoundedRect(bubble_.translated(kShadow, kShadow), kRadius, kRadius);
        p.setBrush(color_);
        p.setPen(Qt::black);
        p.drawRoundedRect(bubble_.adjusted(0, 0, -1, -1), kRadius, kRadius);
        const QFontMetrics fm(font());
        int y = kPaddingY + fm.ascent();
        for (const QString& line : lines_) {
            p.drawText(kPaddingX, y, line);
            y += fm.height();
        }
    }

private:
    QColor color_;
    QStringList lines_;
    QRect bubble_;
};

BalloonHints::BalloonHints(QColor color, QObject* parent) : QObject(parent), color_(color) {
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &BalloonHints::hideHint);
    qApp->installEventFilter(this);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, color_);
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}

BalloonHints::~BalloonHints() {
    delete bubble_;
}

QWidget* BalloonHints::visibleBubble() const {
    return bubble_ != nullptr && bubble_->isVisible() ? bubble_ : nullptr;
}

void BalloonHints::hideHint() {
    if (bubble_ != nullptr) {
        bubble_->hide();
    }
    owner_ = nullptr;
}

void BalloonHints::showHint(QWidget* owner, const QPoint& globalPos) {
    if (bubble_ == nullptr) {
        bubble_ = new BalloonBubble(color_);
    }
    owner_ = owner;
    bubble_->setText(owner->toolTip());
    // Below the cursor, kept on the screen the cursor is on.
    QPoint pos = globalPos + QPoint(0, 20);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->geometry();
        pos.setX(std::clamp(pos.x(), area.left(), area.right() - bubble_->width() + 1));
        if (pos.y() + bubble_->height() > area.bottom() + 1) {
            pos.setY(globalPos.y() - bubble_->height() - 4);
        }
    }
    bubble_->move(pos);
    bubble_->show();
    bubble_->raise();
    hideTimer_.start(kShowMs);
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
        if (watched == owner_) {
            hideHint();
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        if (owner_ != nullptr) {
            hideHint();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veskor
