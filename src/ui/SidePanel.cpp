#include "ui/SidePanel.h"

#include "ui/ShadowLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <qdrawutil.h>

namespace veskor {

namespace {
const QColor kButtonFace(192, 192, 192);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
constexpr int kButtonPos = 3; // the close button's left and top
constexpr int kButtonSize = 16;
constexpr int kTitleGap = 3; // between the close button and the title
constexpr int kTitleRow = kButtonPos + kButtonSize + kButtonPos;

QFont TitleFont() {
    QFont font;
    font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}
} // namespace

SidePanel::SidePanel(const QString& title, int height, QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedSize(kWidth, height);

    close_ = new QToolButton(this);
    close_->setText(" x");
    close_->setToolTip("Hide panel");
    close_->setAutoRaise(true);
    // Like the bar's other controls, the button does not take the keyboard focus from the
    // panel's content.
    close_->setFocusPolicy(Qt::NoFocus);
    close_->setGeometry(kButtonPos, kButtonPos, kButtonSize, kButtonSize);
    connect(close_, &QToolButton::clicked, this, &SidePanel::closeClicked);

    title_ = new ShadowLabel(title, QColor(255, 255, 0), Qt::black, this);
    title_->setFont(TitleFont());
    const QSize hint = title_->sizeHint();
    const int left = kButtonPos + kButtonSize + kTitleGap;
    // Centred on the button's middle row.
    title_->setGeometry(left, kButtonPos + (kButtonSize - hint.height() + 1) / 2,
                        kWidth - left - kButtonPos, hint.height());
}

QAbstractButton* SidePanel::closeButton() const {
    return close_;
}

QRect SidePanel::contentRect() const {
    const int fw = frameWidth();
    return {fw, kTitleRow, width() - 2 * fw, height() - kTitleRow - fw};
}

void SidePanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), kButtonFace);
    // The classic raised bevel in the panel's own colours; the style's frame would be flat, and
    // the panel's palette is left alone for the content's sake.
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, kHighlight);
    bevel.setColor(QPalette::Dark, kShadow);
    qDrawShadePanel(&p, rect(), bevel, false, lineWidth());
}

void SidePanel::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}

} // namespace veskor
