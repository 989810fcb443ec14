#pragma once
// A four-trace oscilloscope: each step scrolls the picture two pixels to the left and plots at
// the right edge whatever values its owner last set, over a grid and a baseline. The picture is
// kept off screen and drawn incrementally, so a step costs two columns, not the whole history.

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

namespace veskor {

class ScopeView final : public QWidget {
    Q_OBJECT

    struct Trace {
        bool enabled = true;
        std::int64_t position = 0;
        std::int64_t max = 0;
        std::int64_t min = 0;
        QColor color;
        int previousRow = 0;
        int latestRow = 0;
    };

public:
    static constexpr int kTraces = 4;

    explicit ScopeView(QWidget* parent = nullptr);

    // Height of the baseline in percent of the height, from the bottom.
    [[nodiscard]] int baseline() const { return m_baseline; }
    void setBaseline(int percent);
    // Grid spacing in pixels, kept even; below 2 there is no grid.
    [[nodiscard]] int gridSize() const { return m_gridSize; }
    void setGridSize(int pixels);
    // Whether the scope steps on its own timer. Switching does not clear the picture.
    [[nodiscard]] bool isActive() const { return m_active; }
    void setActive(bool active);
    // Step period in tens of milliseconds; 0 or less stands still.
    [[nodiscard]] int interval() const { return m_interval; }
    void setInterval(int tensOfMs);
    // Whether the step timer runs (active with a period above 0).
    [[nodiscard]] bool isStepping() const { return m_timer.isActive(); }

    // The traces, 0 to 3, drawn in that order. Their values take effect at the next step.
    [[nodiscard]] bool isTraceEnabled(int trace) const { return traceAt(trace).enabled; }
    void setTraceEnabled(int trace, bool enabled) { traceAt(trace).enabled = enabled; }
    [[nodiscard]] std::int64_t position(int trace) const { return traceAt(trace).position; }
    void setPosition(int trace, std::int64_t value) { traceAt(trace).position = value; }
    [[nodiscard]] std::int64_t maximum(int trace) const { return traceAt(trace).max; }
    void setMaximum(int trace, std::int64_t value) { traceAt(trace).max = value; }
    [[nodiscard]] std::int64_t minimum(int trace) const { return traceAt(trace).min; }
    void setMinimum(int trace, std::int64_t value) { traceAt(trace).min = value; }
    [[nodiscard]] QColor lineColor(int trace) const { return traceAt(trace).color; }
    void setLineColor(int trace, const QColor& color) { traceAt(trace).color = color; }

    [[nodiscard]] QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor& color) { m_background = color; }
    [[nodiscard]] QColor gridColor() const { return m_grid; }
    void setGridColor(const QColor& color) { m_grid = color; }
    [[nodiscard]] QColor baseColor() const { return m_base; }
    void setBaseColor(const QColor& color) { m_base = color; }

    // The off-screen picture, the size of the widget.
    [[nodiscard]] const QImage& picture() const { return m_picture; }

    // Marks the owner's settings applied: from here on a new baseline or grid size redraws the
    // picture at once. Painting does the same.
    void finishLoading() { m_ready = true; }
    [[nodiscard]] bool isReady() const { return m_ready; }

    [[nodiscard]] QSize sizeHint() const override { return {208, 120}; }

public slots:
    // Background, grid and baseline, and every trace starts again from the baseline.
    void clear();
    // One period: scroll, the new right edge of grid and baseline, one segment per trace.
    void step();

signals:
    // After every step.
    void stepped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] const Trace& traceAt(int k) const {
        return m_traces.at(static_cast<std::size_t>(k));
    }
    Trace& traceAt(int k) { return m_traces.at(static_cast<std::size_t>(k)); }
    void fitPicture();
    void updateBaselineRow();
    void restartTimer();

    int m_baseline = 50;
    int m_gridSize = 16;
    bool m_active = false;
    int m_interval = 50;
    QColor m_background{0, 0, 0};
    QColor m_grid{0, 128, 0};
    QColor m_base{255, 0, 0};
    std::array<Trace, kTraces> m_traces;

    QImage m_picture;
    QTimer m_timer;
    int m_baselineY = 0;
    int m_gridCounter = 1; // steps since the last vertical grid line
    bool m_ready = false;
};

} // namespace veskor
