#include "scope/widgets/ScopeView.h"

#include "scope/core/TraceGeometry.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstring>
#include <limits>

namespace veskor {

namespace {

// Each step scrolls by this many columns and draws them new at the right edge.
constexpr int kStepColumns = 2;

QPen linePen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    return pen;
}

} // namespace

ScopeView::ScopeView(const ScopeStyle& scopeStyle, QWidget* parent)
    : QWidget(parent), m_style(scopeStyle) {
    m_style.gridSize = evenGridSize(m_style.gridSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_timer, &QTimer::timeout, this, &ScopeView::step);
    resize(sizeHint());
    fitPicture();
    updateBaselineRow();
    for (Trace& trace : m_traces) {
        trace.previousRow = trace.latestRow = m_baselineY;
    }
}

void ScopeView::setInterval(int tensOfMs) {
    m_timer.stop();
    updateBaselineRow();
    m_interval = tensOfMs;
    restartTimer();
}

void ScopeView::setActive(bool active) {
    updateBaselineRow();
    m_active = active;
    restartTimer();
}

void ScopeView::restartTimer() {
    // A period of 0 would fire on every pass of the event loop: it stands still instead.
    if (!m_active || m_interval <= 0) {
        m_timer.stop();
        return;
    }
    constexpr int kLongest = std::numeric_limits<int>::max() / 10;
    m_timer.start(std::min(m_interval, kLongest) * 10);
}

void ScopeView::updateBaselineRow() {
    m_baselineY = baselineRow(height(), m_style.baseline);
}

void ScopeView::fitPicture() {
    if (m_picture.size() == size()) {
        return;
    }
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(m_style.background);
    if (!m_picture.isNull()) {
        QPainter p(&fitted);
        p.drawImage(0, 0, m_picture);
    }
    m_picture = std::move(fitted);
}

void ScopeView::clear() {
    fitPicture();
    updateBaselineRow();
    const int w = width();
    const int h = height();
    QPainter p(&m_picture);
    p.fillRect(0, 0, w + 1, h + 1, m_style.background);
    p.setPen(linePen(m_style.grid));
    if (m_style.gridSize >= 2) {
        for (int x = w; x > 0; x -= m_style.gridSize) {
            p.drawLine(x - 1, 0, x - 1, h);
        }
    }
    for (const int y : horizontalGridRows(h, m_baselineY, m_style.gridSize)) {
        p.drawLine(0, y, w, y);
    }
    p.setPen(linePen(m_style.base));
    p.drawLine(0, m_baselineY, w, m_baselineY);
    for (Trace& trace : m_traces) {
        trace.previousRow = trace.latestRow = m_baselineY;
    }
    m_gridCounter = 1;
    update();
}

void ScopeView::step() {
    fitPicture();
    const int w = width();
    const int h = height();
    if (w > kStepColumns) {
        const auto rowBytes = static_cast<std::size_t>(w - kStepColumns) * sizeof(QRgb);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(m_picture.scanLine(y));
            std::memmove(row, row + kStepColumns, rowBytes);
        }
    }
    QPainter p(&m_picture);
    p.fillRect(w - kStepColumns, 0, kStepColumns, h, m_style.background);

    p.setPen(linePen(m_style.grid));
    // Two columns a step and a line every g / 2 steps keep the vertical lines g apart.
    if (m_style.gridSize >= 2) {
        if (m_style.gridSize / 2 == m_gridCounter) {
            p.drawLine(w - 1, 0, w - 1, h);
            m_gridCounter = 0;
        }
        ++m_gridCounter;
    }
    for (const int y : horizontalGridRows(h, m_baselineY, m_style.gridSize)) {
        p.drawLine(w - kStepColumns, y, w, y);
    }
    p.setPen(linePen(m_style.base));
    p.drawLine(w - kStepColumns, m_baselineY, w, m_baselineY);

    for (std::size_t k = 0; k < m_traces.size(); ++k) {
        Trace& trace = m_traces.at(k);
        if (!trace.enabled) {
            continue;
        }
        // Every range here starts at 0.
        const int y = traceRow(h, m_style.baseline, trace.position, trace.max, 0);
        p.setPen(linePen(m_style.traces.at(k)));
        const std::array<QPoint, 3> segment = {QPoint(w - 4, trace.previousRow),
                                               QPoint(w - 2, trace.latestRow), QPoint(w, y)};
        p.drawPolyline(segment.data(), static_cast<int>(segment.size()));
        trace.previousRow = trace.latestRow;
        trace.latestRow = y;
    }
    p.end();
    update();
    emit stepped();
}

void ScopeView::paintEvent(QPaintEvent* /*event*/) {
    fitPicture();
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

void ScopeView::resizeEvent(QResizeEvent* /*event*/) {
    fitPicture();
}

} // namespace veskor
