#include "calendar/widgets/MoonView.h"

#include "calendar/core/MoonPhase.h"
#include "ui/Style.h"

#include <QPainter>
#include <QRegion>
#include <cmath>

namespace veskor {

namespace {

// A dark sea on the disc, in units of the radius from the centre, so that every size shows the
// same face.
struct Sea {
    double x;
    double y;
    double radius;
};
constexpr Sea kSeas[] = {
    {-0.30, -0.35, 0.28}, {0.15, -0.22, 0.22}, {0.32, 0.22, 0.20},
    {-0.12, 0.30, 0.16},  {0.50, -0.45, 0.12}, {-0.55, 0.10, 0.10},
};

} // namespace

MoonDisc moonDisc(MoonSize size) {
    switch (size) {
    case MoonSize::Large:
        return {64, 31, 28, 28};
    case MoonSize::Small:
        return {32, 15, 14, 14};
    case MoonSize::Tiny:
        return {16, 7, 7, 7};
    }
    return {};
}

QImage fullMoonPicture(MoonSize size) {
    const MoonDisc disc = moonDisc(size);
    QImage picture(disc.side, disc.side, QImage::Format_RGB32);
    picture.fill(style::kBlack);

    // Row by row, the same half-widths the shading uses, so a new moon covers the disc exactly.
    QRegion shape;
    for (int h = 0; h <= disc.r; ++h) {
        const int m = static_cast<int>(std::nearbyint(std::sqrt(disc.r * disc.r - h * h)));
        shape += QRect(disc.cx - m, disc.cy - h, 2 * m + 1, 1);
        shape += QRect(disc.cx - m, disc.cy + h, 2 * m + 1, 1);
    }

    QPainter p(&picture);
    p.setClipRegion(shape);
    p.fillRect(picture.rect(), style::kSilver);
    // Light from the upper left.
    p.setPen(Qt::NoPen);
    p.setBrush(style::kWhite);
    const double r = disc.r;
    p.drawEllipse(QPointF(disc.cx - 0.45 * r, disc.cy - 0.45 * r), 0.7 * r, 0.7 * r);
    p.setBrush(style::kGray);
    for (const Sea& sea : kSeas) {
        p.drawEllipse(QPointF(disc.cx + sea.x * r, disc.cy + sea.y * r), sea.radius * r,
                      sea.radius * r);
    }
    return picture;
}

MoonView::MoonView(DateTime date, QWidget* parent) : QWidget(parent) {
    const MoonDisc disc = moonDisc(m_size);
    setFixedSize(disc.side, disc.side);
    setDate(date);
}

void MoonView::setMoonSize(MoonSize size) {
    m_size = size;
    const MoonDisc disc = moonDisc(size);
    setFixedSize(disc.side, disc.side);
    drawMoon();
}

void MoonView::setDate(DateTime date) {
    m_date = date;
    m_phase = normalizeDegrees(phaseAngle(date));
    drawMoon();
}

void MoonView::drawMoon() {
    const MoonDisc disc = moonDisc(m_size);
    m_picture = fullMoonPicture(m_size);
    shadeMoon(m_picture, disc.cx, disc.cy, disc.r, m_phase);
    update();
}

void MoonView::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

} // namespace veskor
