#include "calendar/widgets/MoonView.h"

#include "calendar/core/MoonPhase.h"
#include "ui/Style.h"

#include <QPainter>
#include <QPen>
#include <QRegion>
#include <algorithm>
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

MoonDisc moonDisc(MoonSize size, int scale) {
    MoonDisc disc;
    switch (size) {
    case MoonSize::Large:
        disc = {64, 31, 28, 28, QRect(QPoint(5, 2), QPoint(58, 54))};
        break;
    case MoonSize::Small:
        disc = {32, 15, 14, 14, QRect(QPoint(3, 1), QPoint(28, 27))};
        break;
    case MoonSize::Tiny:
        disc = {16, 7, 7, 7, QRect(QPoint(2, 1), QPoint(13, 13))};
        break;
    }
    if (scale > 1) {
        // The centre stays in the middle of the pixel it was on; the disc keeps its place.
        disc = {disc.side * scale, disc.cx * scale + scale / 2, disc.cy * scale + scale / 2,
                disc.r * scale, QRect(disc.picture.topLeft() * scale, disc.picture.size() * scale)};
    }
    return disc;
}

QImage fullMoonPicture(MoonSize size, int scale) {
    const MoonDisc disc = moonDisc(size, scale);
    QImage picture(disc.side, disc.side, QImage::Format_RGB32);
    picture.fill(style::kBlack);

    // The pixels whose centres lie in the ellipse that just fills the disc's rows and columns.
    const QRect box = disc.picture;
    const double ox = box.left() + (box.width() - 1) / 2.0;
    const double oy = box.top() + (box.height() - 1) / 2.0;
    const double a = box.width() / 2.0;
    const double b = box.height() / 2.0;
    QRegion shape;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double dy = (y - oy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1 - dy * dy));
        const int left = static_cast<int>(std::ceil(ox - half));
        const int right = static_cast<int>(std::floor(ox + half));
        if (left <= right) {
            shape += QRect(left, y, right - left + 1, 1);
        }
    }

    QPainter p(&picture);
    p.setClipRegion(shape);
    p.fillRect(picture.rect(), style::kSilver);
    // Light from the upper left.
    p.setPen(Qt::NoPen);
    p.setBrush(style::kWhite);
    const double r = a;
    p.drawEllipse(QPointF(ox - 0.45 * r, oy - 0.45 * r), 0.7 * r, 0.7 * r);
    p.setBrush(style::kGray);
    for (const Sea& sea : kSeas) {
        p.drawEllipse(QPointF(ox + sea.x * r, oy + sea.y * r), sea.radius * r, sea.radius * r);
    }
    return picture;
}

void shadeMoon(QImage& picture, int cx, int cy, int r, double phase) {
    // QPainter cannot paint on palette images such as 16-colour pictures.
    if (picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_Mono ||
        picture.format() == QImage::Format_MonoLSB) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    }
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 1));
    for (const PixelRun& run : moonShadow(cx, cy, r, phase)) {
        painter.drawLine(run.from, run.y, run.to, run.y);
    }
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
    renderPicture();
    update();
}

void MoonView::renderPicture() {
    const MoonDisc disc = moonDisc(m_size, m_scale);
    m_picture = fullMoonPicture(m_size, m_scale);
    shadeMoon(m_picture, disc.cx, disc.cy, disc.r, m_phase);
    m_picture.setDevicePixelRatio(m_scale);
}

void MoonView::paintEvent(QPaintEvent* /*event*/) {
    // The screen's density is known only once shown, and changes when the window moves to
    // another screen: the picture follows it, so the terminator is drawn, not enlarged.
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    if (scale != m_scale) {
        m_scale = scale;
        renderPicture();
    }
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

} // namespace veskor
