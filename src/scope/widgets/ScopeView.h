#pragma once
// A four-trace oscilloscope: each step scrolls the picture two pixels to the left and plots at
// the right edge whatever values its owner last set, over a grid and a baseline. The picture is
// kept off screen and drawn incrementally, so a step costs two columns, not the whole history.

#include "ui/Style.h"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

namespace veskor {

// How a scope draws; fixed for the life of the view.
struct ScopeStyle {
    static constexpr int kTraces = 4;

    int baseline = 50; // height of the baseline in percent of the height, from the bottom
    int gridSize = 16; // grid spacing in pixels, kept even; below 2 there is no grid
    QColor background = style::kBlack;
    QColor grid{0, 128, 0};
    QColor base{255, 0, 0};
    std::array<QColor, kTraces> traces = {style::kLime, style::kAqua, QColor(255, 0, 255),
                                          QColor(0, 0, 255)};
};

class ScopeView final : public QWidget {
    Q_OBJECT
    // Whether the scope steps on its own timer. Switching does not clear the picture.
    Q_PROPERTY(bool active READ isActive WRITE setActive)
    // Step period in tens of milliseconds; 0 or less stands still.
    Q_PROPERTY(int interval READ interval WRITE setInterval)

public:
    static constexpr int kTraces = ScopeStyle::kTraces;

    explicit ScopeView(const ScopeStyle& scopeStyle = {}, QWidget* parent = nullptr);

    [[nodiscard]] const ScopeStyle& scopeStyle() const { return m_style; }
    [[nodiscard]] bool isActive() const { return m_active; }
    void setActive(bool active);
    [[nodiscard]] int interval() const { return m_interval; }
    void setInterval(int tensOfMs);
    // Whether the step timer runs (active with a period above 0).
    [[nodiscard]] bool isStepping() const { return m_timer.isActive(); }

    // The traces, 0 to 3, drawn in that order; each starts switched off at 0 of a range 0 to 0.
    // Their values take effect at the next step.
    [[nodiscard]] bool isTraceEnabled(int trace) const { return traceAt(trace).enabled; }
    void setTraceEnabled(int trace, bool enabled) { traceAt(trace).enabled = enabled; }
    [[nodiscard]] std::int64_t position(int trace) const { return traceAt(trace).position; }
    void setPosition(int trace, std::int64_t value) { traceAt(trace).position = value; }
    [[nodiscard]] std::int64_t maximum(int trace) const { return traceAt(trace).max; }
    void setMaximum(int trace, std::int64_t value) { traceAt(trace).max = value; }

    // The off-screen picture, the size of the widget.
    [[nodiscard]] const QImage& picture() const { return m_picture; }

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
    struct Trace {
        bool enabled = false;
        std::int64_t position = 0;
        std::int64_t max = 0;
        int previousRow = 0;
        int latestRow = 0;
    };

    [[nodiscard]] const Trace& traceAt(int k) const {
        return m_traces.at(static_cast<std::size_t>(k));
    }
    Trace& traceAt(int k) { return m_traces.at(static_cast<std::size_t>(k)); }
    void fitPicture();
    void updateBaselineRow();
    void restartTimer();

    ScopeStyle m_style;
    bool m_active = false;
    int m_interval = 50;
    std::array<Trace, kTraces> m_traces;

    QImage m_picture;
    QTimer m_timer;
    int m_baselineY = 0;
    int m_gridCounter = 1; // steps since the last vertical grid line
};

} // namespace veskor
