#include "scope/core/TraceGeometry.h"

#include <algorithm>
#include <cmath>

namespace veskor {

double roundHalfEven(double value) {
    const double rounded = std::round(value);
    if (std::abs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return rounded;
}

int evenGridSize(int pixels) {
    return pixels / 2 * 2;
}

namespace {

// height - round(height * 0.01 * percent), computed in the order the rows were specified in, so
// that values like 25.25 round the same way everywhere.
int rowOf(int height, double percent) {
    const double row = height - roundHalfEven(height * 0.01 * percent);
    return static_cast<int>(std::clamp(row, double{-kFarRow}, double{kFarRow}));
}

} // namespace

int baselineRow(int height, int percent) {
    return rowOf(height, percent);
}

std::vector<int> horizontalGridRows(int height, int baselineY, int gridSize) {
    std::vector<int> rows;
    if (gridSize < 2) {
        return rows;
    }
    for (int y = baselineY; y < height;) {
        y += gridSize;
        rows.push_back(y);
    }
    for (int y = baselineY; y > 0;) {
        y -= gridSize;
        rows.push_back(y);
    }
    return rows;
}

int traceRow(int height, int baselinePercent, std::int64_t position, std::int64_t max,
             std::int64_t min) {
    double percent = static_cast<double>(position);
    if (max != min) {
        // In floating point: the difference of two extreme integers does not fit one.
        const double width = static_cast<double>(max) - static_cast<double>(min);
        percent = static_cast<double>(position) / width * 100.0;
    }
    return rowOf(height, baselinePercent + percent);
}

} // namespace veskor
