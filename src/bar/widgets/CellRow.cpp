#include "bar/widgets/CellRow.h"

#include "ui/StatusCell.h"
#include "ui/Style.h"

#include <QPainter>
#include <qdrawutil.h>

namespace veskor {

using namespace style;

CellRow::CellRow(QWidget* parent, const QRect& geometry, const std::array<StatusCell*, 3>& cells,
                 const std::array<int, 2>& widths)
    : QWidget(parent) {
    setGeometry(geometry);
    const int cellHeight = geometry.height() - 2 * kFrame;
    int left = kFrame;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int width = i < widths.size() ? widths[i] : geometry.width() - kFrame - left;
        cells[i]->setParent(this);
        cells[i]->setGeometry(left, kFrame, width, cellHeight);
        cells[i]->setFont(uiFont(kBarFontSize, true));
        left += width;
    }
}

void CellRow::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), kSilver);
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, kWhite);
    bevel.setColor(QPalette::Dark, kGray);
    qDrawShadePanel(&p, rect(), bevel, false, 1);
}

} // namespace veskor
