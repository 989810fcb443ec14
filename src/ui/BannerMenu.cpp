#include "ui/BannerMenu.h"

#include "ui/Style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace veskor {

using namespace style;

BannerMenu::BannerMenu(const QString& bannerText, QWidget* parent)
    : QMenu(parent), m_bannerText(bannerText) {
    // The menu lays its items out inside its contents margins, so the margin keeps the items'
    // geometry, and with it the mouse hit test, clear of the banner.
    setContentsMargins(kBannerWidth, 0, 0, 0);
    setFont(uiFont(kBarFontSize, false));
    QPalette pal = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, Qt::black);
        pal.setColor(group, QPalette::HighlightedText, kYellow);
    }
    setPalette(pal);
}

void BannerMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    option->icon = QIcon();
}

void BannerMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    QPainter p(this);
    const QRect banner(0, 0, kBannerWidth, height());
    QLinearGradient run(0, banner.bottom(), 0, banner.top());
    run.setColorAt(0, Qt::black);
    run.setColorAt(1, kNavy);
    p.fillRect(banner, run);
    // Rotated a quarter turn to the left, so that the text reads from the bottom up.
    p.setFont(bannerFont());
    p.setPen(kAqua);
    p.translate(kBannerWidth / 2.0, height() / 2.0);
    p.rotate(-90);
    const QRectF along(-height() / 2.0, -kBannerWidth / 2.0, height(), kBannerWidth);
    p.drawText(along, Qt::AlignCenter | Qt::TextSingleLine, m_bannerText);
}

} // namespace veskor
