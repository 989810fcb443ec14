#include "ui/SidePanel.h"

#include "ui/ShadowLabel.h"
#include "ui/Style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <qdrawutil.h>

namespace veskor {

namespace {
constexpr int kButtonPos = 3; // the close button's left and top
constexpr int kButtonSize = 16;
constexpr int kTitleGap = 3; // between the close button and the title
constexpr int kTitleRow = kButtonPos + kButtonSize + kButtonPos;
} // namespace

SidePanel::SidePanel(const QString& title, int height, QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedSize(kWidth, height);
    setAccessibleName(title);

    m_close = new QToolButton(this);
    m_close->setText(" x");
    m_close->setToolTip(tr("Hide panel"));
    m_close->setAccessibleName(tr("Hide panel"));
    m_close->setAutoRaise(true);
    // Like the bar's other controls, the button does not take the keyboard focus from the
    // panel's content.
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setGeometry(kButtonPos, kButtonPos, kButtonSize, kButtonSize);
    connect(m_close, &QToolButton::clicked, this, &SidePanel::closeClicked);

    m_title = new ShadowLabel(title, style::kYellow, style::kBlack, this);
    m_title->setFont(style::uiFont(style::kTitleFontSize, true));
    const QSize hint = m_title->sizeHint();
    const int left = kButtonPos + kButtonSize + kTitleGap;
    // Centred on the button's middle row.
    m_title->setGeometry(left, kButtonPos + (kButtonSize - hint.height() + 1) / 2,
                         kWidth - left - kButtonPos, hint.height());
}

QAbstractButton* SidePanel::closeButton() const {
    return m_close;
}

QRect SidePanel::contentRect() const {
    const int fw = frameWidth();
    return {fw, kTitleRow, width() - 2 * fw, height() - kTitleRow - fw};
}

void SidePanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), style::kSilver);
    // The classic raised bevel in the panel's own colours; the style's frame would be flat, and
    // the panel's palette is left alone for the content's sake.
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, style::kWhite);
    bevel.setColor(QPalette::Dark, style::kGray);
    qDrawShadePanel(&p, rect(), bevel, false, lineWidth());
}

void SidePanel::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}

} // namespace veskor
