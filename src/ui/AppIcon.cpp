#include "ui/AppIcon.h"

#include "ui/Style.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace veskor {

namespace {
using namespace style;

// Every coordinate is a whole pixel of a size×size image, so the small sizes stay sharp.
QImage drawPage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);

    const int unit = std::max(1, size / 16); // one pixel of the 16-pixel design
    const QRect page(unit, 3 * size / 16, size - 2 * unit, size - 3 * size / 16 - unit);
    const int headerHeight = std::max(3, size / 4);

    // A silver edge keeps the black page visible on dark panels.
    p.fillRect(page, kSilver);
    const QRect inside = page.adjusted(unit, unit, -unit, -unit);
    p.fillRect(inside, Qt::black);
    p.fillRect(QRect(inside.left(), inside.top(), inside.width(), headerHeight - unit), kNavy);

    // Rings: from above the page into the middle of the header band.
    const int ringWidth = std::max(2, size / 8);
    const int ringTop = std::max(0, size / 16 - unit / 2);
    const int ringBottom = page.top() + headerHeight / 2;
    for (const int left : {size / 4, size - size / 4 - ringWidth}) {
        p.fillRect(QRect(left, ringTop, ringWidth, ringBottom - ringTop + 1), kAqua);
    }

    // The days: a grid of lime cells below the header, today's in yellow, centred with a
    // margin of at least one design pixel on the larger sizes.
    const int pad = size / 32;
    const QRect body = QRect(inside.left(), inside.top() + headerHeight, inside.width(),
                             inside.bottom() + 1 - inside.top() - headerHeight)
                           .adjusted(pad, 0, -pad, -pad);
    const int columns = size < 32 ? 4 : 7;
    const auto gapOf = [](int pitch) { return pitch - std::max(1, pitch * 2 / 3); };
    int pitch = body.width() / columns + 1;
    while (pitch > 2 && columns * pitch - gapOf(pitch) > body.width()) {
        --pitch;
    }
    const int gap = gapOf(pitch);
    const int rows = std::clamp((body.height() + gap) / pitch, 1, 5);
    const int left = body.left() + (body.width() - (columns * pitch - gap)) / 2;
    const int top = body.top() + (body.height() - (rows * pitch - gap)) / 2;
    const int today = columns * rows / 2 + 1;
    for (int i = 0; i < columns * rows; ++i) {
        p.fillRect(QRect(left + (i % columns) * pitch, top + (i / columns) * pitch, pitch - gap,
                         pitch - gap),
                   i == today ? kYellow : kLime);
    }
    p.end();
    return image;
}
} // namespace

QImage appIconImage(int size) {
    return drawPage(size);
}

QIcon makeAppIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(drawPage(size)));
    }
    return icon;
}

} // namespace veskor
