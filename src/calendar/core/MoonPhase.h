#pragma once
// The moon's phase for a day: the angle between the Sun and the Moon seen from the Earth, from
// their geocentric positions, and the part of the disc it leaves unlit.

#include "common/DateTime.h"

#include <string>
#include <vector>

namespace veskor {

// Degrees to [0, 360): x - 360 n with n the integer nearest to x / 360, halves to even.
double normalizeDegrees(double degrees);
// The phase angle of a day count taken as Universal Time, in degrees, 0 <= angle < 360: 0 is the
// full moon, 180 the new moon, below 180 waxing, above 180 waning. Days before 1582 count in the
// proleptic Gregorian calendar, as every day count does.
double phaseAngle(DateTime when);
// `veskor moon`: the phase angle at 0:00 of the day, with two decimals ("188.61").
std::string formatPhaseAngle(DateTime day);

// Columns `from` to `to` (both included) of row `y`, in pixels.
struct PixelRun {
    int y = 0;
    int from = 0;
    int to = 0;

    bool operator==(const PixelRun&) const = default;
};
// The unlit part of the disc of radius r centred at (cx, cy), one run a row from top to bottom:
// the left side while waxing (phase below 180), the right side from 180 on. Runs may reach a
// pixel past the disc; the picture clips them.
std::vector<PixelRun> moonShadow(int cx, int cy, int r, double phase);

} // namespace veskor
