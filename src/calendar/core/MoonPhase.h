#pragma once
// The moon's phase for a day: the angle between the Sun and the Moon seen from the Earth, from
// their geocentric positions, and the shading of a full-moon picture by it.

#include "common/DateTime.h"

#include <string>

class QImage;

namespace veskor {

// Degrees to [0, 360): x - 360 n with n the integer nearest to x / 360, halves to even.
double normalizeDegrees(double degrees);
// The phase angle of a day count taken as Universal Time, in degrees, 0 <= angle < 360: 0 is the
// full moon, 180 the new moon, below 180 waxing, above 180 waning. Days before 1582 count in the
// proleptic Gregorian calendar, as every day count does.
double phaseAngle(DateTime when);
// `veskor moon`: the phase angle at 0:00 of the day, with two decimals ("188.61").
std::string formatPhaseAngle(DateTime day);
// Paints black, one pixel wide, the unlit part of the disc of radius r centred at (cx, cy): the
// left side while waxing (phase below 180), the right side from 180 on; the lit part keeps the
// picture's pixels. A palette picture is converted to ARGB32 first.
void shadeMoon(QImage& picture, int cx, int cy, int r, double phase);

} // namespace veskor
