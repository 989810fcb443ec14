#include "scope/widgets/ScopeView.h"

#include "scope/core/TraceGeometry.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstring>
#include <limits>

namespace veskor {

namespace {

constexpr std::array<std::int64_t, ScopeView::kTraces> kFirstPositions = {50, 10, 90, 40};
const std::array<QColor, ScopeView::kTraces> kFirstColors = {
    QColor(0, 255, 0), QColor(0, 255, 255), QColor(255, 0, 255), QColor(0, 0, 255)};

// Each step scrolls by this many columns and draws them new at the right edge.
constexpr int kStepColumns = 2;

QPen linePen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    return pen;
}

} // namespace

ScopeView::ScopeView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (std::size_t k = 0; k < m_traces.size(); ++k) {
        m_traces.at(k).position = kFirstPositions.at(k);
        m_traces.at(k).color = kFirstColors.at(k);
    }
    connect(&m_timer, &QTimer::timeout, this, &ScopeView::step);
    resize(sizeHint());
    fitPicture();
    updateBaselineRow();
    for (Trace& trace : m_traces) {
        trace.previousRow = trace.latestRow = m_baselineY;
    }
}

void ScopeView::setBaseline(int percent) {
    m_baseline = percent;
    updateBaselineRow();
    if (m_ready) {
        clear();
    }
}

void ScopeView::setGridSize(int pixels) {
    m_gridSize = evenGridSize(pixels);
    if (m_ready) {
        clear();
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
    m_baselineY = baselineRow(height(), m_baseline);
}

void ScopeView::fitPicture() {
    if (m_picture.size() == size()) {
        return;
    }
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(m_background);
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
    p.fillRect(0, 0, w + 1, h + 1, m_background);
    p.setPen(linePen(m_grid));
    if (m_gridSize >= 2) {
        for (int x = w; x > 0; x -= m_gridSize) {
            p.drawLine(x - 1, 0, x - 1, h);
        }
    }
    for (const int y : horizontalGridRows(h, m_baselineY, m_gridSize)) {
        p.drawLine(0, y, w, y);
    }
    p.setPen(linePen(m_base));
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
    p.fillRect(w - kStepColumns, 0, kStepColumns, h, m_background);

    p.setPen(linePen(m_grid));
    // Two columns a step and a line every g / 2 steps keep the vertical lines g apart.
    if (m_gridSize >= 2) {
        if (m_gridSize / 2 == m_gridCounter) {
            p.drawLine(w - 1, 0, w - 1, h);
            m_gridCounter = 0;
        }
        ++m_gridCounter;
    }
    for (const int y : horizontalGridRows(h, m_baselineY, m_gridSize)) {
        p.drawLine(w - kStepColumns, y, w, y);
    }
    p.setPen(linePen(m_base));
    p.drawLine(w - kStepColumns, m_baselineY, w, m_baselineY);

    for (Trace& trace : m_traces) {
        if (!trace.enabled) {
            continue;
        }
        const int y = traceRow(h, m_baseline, trace.position, trace.max, trace.min);
        p.setPen(linePen(trace.color));
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
    m_ready = true;
}

void ScopeView::resizeEvent(QResizeEvent* /*event*/) {
    fitPicture();
}

} // namespace veskor
