#pragma once
// Where the scope draws: the baseline row, the grid rows and the row of a trace's value, in
// pixels of a picture `height` rows high (row 0 at the top).

#include <cstdint>
#include <vector>

namespace veskor {

// To the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The grid spacing actually used: the value made even by truncating division (7 -> 6, -7 -> -6).
int evenGridSize(int pixels);

// The baseline lies `percent` of the height above the bottom: height - round(height * percent %).
// A baseline of 0 gives the row just below the picture.
int baselineRow(int height, int percent);

// The rows of the horizontal grid lines: from the baseline down in steps of gridSize while the
// previous line was above the bottom, then up while it was below the top (the last line of each
// run may fall outside the picture). None for a grid size below 2, which the loops cannot step.
std::vector<int> horizontalGridRows(int height, int baselineY, int gridSize);

// The row of a value: its share of the range width max - min in percent (the raw value as a
// percentage when the width is 0), raised by the baseline percent. Rows far outside the picture
// are limited to +-kFarRow, which keeps the visible part of a steep segment where it belongs.
int traceRow(int height, int baselinePercent, std::int64_t position, std::int64_t max,
             std::int64_t min);

inline constexpr int kFarRow = 1 << 20;

} // namespace veskor
