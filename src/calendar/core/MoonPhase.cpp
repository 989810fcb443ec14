#include "calendar/core/MoonPhase.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

// The positions follow J. Meeus, Astronomical Algorithms (2nd ed., 1998): the Sun from the
// chapter on solar coordinates (low accuracy, about 0.01 degrees), the Moon from the truncated
// lunar theory of chapter 47 (tables 47.A and 47.B), the phase angle from chapter 48. All angles
// are in degrees, distances in kilometres; the sums run in extended precision.

namespace veskor {
namespace {

using Real = long double;

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kKmPerAu = 149597869.0L;        // km in one astronomical unit
constexpr Real kJulianDayOfDay0 = 2415018.5L;  // Julian day of 30 December 1899, 0:00 UT
constexpr Real kJ2000 = 2451545.0L;            // Julian day of 1 January 2000, 12:00 TT
constexpr Real kDaysPerCentury = 36525.0L;     // Julian century
constexpr Real kMeanMoonDistance = 385000.56L; // km

Real normalize(Real degrees) {
    // nearbyint rounds halves to even in the default rounding mode.
    Real result = degrees - 360.0L * std::nearbyint(degrees / 360.0L);
    while (result < 0) {
        result += 360.0L;
    }
    // A tiny negative angle plus 360 rounds to 360 itself.
    return result < 360.0L ? result : 0.0L;
}

Real sinDeg(Real degrees) {
    return std::sin(normalize(degrees) * kPi / 180.0L);
}

Real cosDeg(Real degrees) {
    return std::cos(normalize(degrees) * kPi / 180.0L);
}

Real toDegrees(Real radians) {
    return radians * 180.0L / kPi;
}

// Every day count, those before the Gregorian calendar's first day (15 October 1582) too, is a
// day of the proleptic Gregorian calendar, so one offset serves them all and the phases go on
// smoothly back to year 1.
Real julianDay(DateTime when) {
    return static_cast<Real>(when) + kJulianDayOfDay0;
}

struct SunPosition {
    Real longitude; // apparent ecliptic longitude
    Real distance;  // km
};

struct MoonPosition {
    Real longitude; // ecliptic
    Real latitude;  // ecliptic
    Real distance;  // km, centre to centre
};

// t: Julian centuries from J2000.0.
SunPosition sunPosition(Real t) {
    const Real t2 = t * t;
    const Real t3 = t2 * t;
    const Real meanAnomaly = 357.5291L + 35999.0503L * t - 0.0001559L * t2 - 0.00000048L * t3;
    const Real centre = (1.9146L - 0.004817L * t - 0.000014L * t2) * sinDeg(meanAnomaly) +
                        (0.019993L - 0.000101L * t) * sinDeg(2 * meanAnomaly) +
                        0.00029L * sinDeg(3 * meanAnomaly);
    const Real trueLongitude = normalize(280.46645L + 36000.76983L * t + 0.0003032L * t2 + centre);
    const Real eccentricity = 0.016708617L - 0.000042037L * t - 0.0000001236L * t2;
    const Real distance = 1.000001018L * (1 - eccentricity * eccentricity) /
                          (1 + eccentricity * cosDeg(meanAnomaly + centre)) * kKmPerAu;
    // Longitude of the Moon's ascending node, for the nutation in longitude.
    const Real node = 125.04452L - 1934.136261L * t + 0.0020708L * t2 + t3 / 450000.0L;
    // Nutation and aberration; the last term is 20.4898" divided by the distance in AU.
    const Real apparent = normalize(trueLongitude - 0.00569L - 0.00478L * sinDeg(node) -
                                    0.0056916111L / (distance / kKmPerAu));
    return {apparent, distance};
}

struct LunarTerm {
    int d;       // multipliers of the mean elongation,
    int m;       // the Sun's mean anomaly,
    int mm;      // the Moon's mean anomaly
    int f;       // and the Moon's argument of latitude
    Real sine;   // longitude (table A) or latitude (table B), 1e-6 degree
    Real cosine; // distance, metres (table A only)
};

// Table 47.A: periodic terms for the longitude and the distance.
constexpr std::array<LunarTerm, 60> kLongitudeDistanceTerms{{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

// Table 47.B: periodic terms for the latitude.
constexpr std::array<LunarTerm, 60> kLatitudeTerms{{
    {0, 0, 0, 1, 5128122, 0}, {0, 0, 1, 1, 280602, 0},  {0, 0, 1, -1, 277693, 0},
    {2, 0, 0, -1, 173237, 0}, {2, 0, -1, 1, 55413, 0},  {2, 0, -1, -1, 46271, 0},
    {2, 0, 0, 1, 32573, 0},   {0, 0, 2, 1, 17198, 0},   {2, 0, 1, -1, 9266, 0},
    {0, 0, 2, -1, 8822, 0},   {2, -1, 0, -1, 8216, 0},  {2, 0, -2, -1, 4324, 0},
    {2, 0, 1, 1, 4200, 0},    {2, 1, 0, -1, -3359, 0},  {2, -1, -1, 1, 2463, 0},
    {2, -1, 0, 1, 2211, 0},   {2, -1, -1, -1, 2065, 0}, {0, 1, -1, -1, -1870, 0},
    {4, 0, -1, -1, 1828, 0},  {0, 1, 0, 1, -1794, 0},   {0, 0, 0, 3, -1749, 0},
    {0, 1, -1, 1, -1565, 0},  {1, 0, 0, 1, -1491, 0},   {0, 1, 1, 1, -1475, 0},
    {0, 1, 1, -1, -1410, 0},  {0, 1, 0, -1, -1344, 0},  {1, 0, 0, -1, -1335, 0},
    {0, 0, 3, 1, 1107, 0},    {4, 0, 0, -1, 1021, 0},   {4, 0, -1, 1, 833, 0},
    {0, 0, 1, -3, 777, 0},    {4, 0, -2, 1, 671, 0},    {2, 0, 0, -3, 607, 0},
    {2, 0, 2, -1, 596, 0},    {2, -1, 1, -1, 491, 0},   {2, 0, -2, 1, -451, 0},
    {0, 0, 3, -1, 439, 0},    {2, 0, 2, 1, 422, 0},     {2, 0, -3, -1, 421, 0},
    {2, 1, -1, 1, -366, 0},   {2, 1, 0, 1, -351, 0},    {4, 0, 0, 1, 331, 0},
    {2, -1, 1, 1, 315, 0},    {2, -2, 0, -1, 302, 0},   {0, 0, 1, 3, -283, 0},
    {2, 1, 1, -1, -229, 0},   {1, 1, 0, -1, 223, 0},    {1, 1, 0, 1, 223, 0},
    {0, 1, -2, -1, -220, 0},  {2, 1, -1, -1, -220, 0},  {1, 0, 1, 1, -185, 0},
    {2, -1, -2, -1, 181, 0},  {0, 1, 2, 1, -177, 0},    {4, 0, -2, -1, 176, 0},
    {4, -1, -1, -1, 166, 0},  {1, 0, 1, -1, -164, 0},   {4, 0, 1, -1, 132, 0},
    {1, 0, -1, -1, -119, 0},  {4, -1, 0, -1, 115, 0},   {2, -2, 0, 1, 107, 0},
}};

// t: Julian centuries from J2000.0.
MoonPosition moonPosition(Real t) {
    const Real t2 = t * t;
    const Real t3 = t2 * t;
    const Real t4 = t3 * t;
    const Real meanLongitude =
        218.3164591L + 481267.88134236L * t - 0.0013268L * t2 + t3 / 538841.0L - t4 / 65194000.0L;
    const Real elongation =
        297.8502042L + 445267.1115168L * t - 0.00163L * t2 + t3 / 545868.0L - t4 / 113065000.0L;
    const Real sunAnomaly = 357.5291092L + 35999.0502909L * t - 0.0001536L * t2 + t3 / 24490000.0L;
    const Real moonAnomaly =
        134.9634114L + 477198.8676313L * t + 0.008997L * t2 + t3 / 69699.0L - t4 / 14712000.0L;
    const Real latitudeArgument =
        93.2720993L + 483202.0175273L * t - 0.0034029L * t2 - t3 / 3526000.0L + t4 / 863310000.0L;
    // Venus, Jupiter and the flattening of the Earth.
    const Real a1 = 119.75L + 131.849L * t;
    const Real a2 = 53.09L + 479264.29L * t;
    const Real a3 = 313.45L + 481266.484L * t;
    // The Earth's orbit grows less eccentric, weakening the terms of the Sun's anomaly.
    const Real e = 1 - 0.002516L * t - 0.0000074L * t2;

    const auto argument = [&](const LunarTerm& term) {
        return term.d * elongation + term.m * sunAnomaly + term.mm * moonAnomaly +
               term.f * latitudeArgument;
    };
    const auto eccentricityFactor = [e](const LunarTerm& term) {
        const int m = std::abs(term.m);
        return m == 1 ? e : m == 2 ? e * e : 1;
    };

    Real sumL = 0;
    Real sumR = 0;
    for (const LunarTerm& term : kLongitudeDistanceTerms) {
        const Real a = argument(term);
        const Real factor = eccentricityFactor(term);
        sumL += factor * term.sine * sinDeg(a);
        sumR += factor * term.cosine * cosDeg(a);
    }
    Real sumB = 0;
    for (const LunarTerm& term : kLatitudeTerms) {
        sumB += eccentricityFactor(term) * term.sine * sinDeg(argument(term));
    }
    sumL += 3958 * sinDeg(a1) + 1962 * sinDeg(meanLongitude - latitudeArgument) + 318 * sinDeg(a2);
    sumB += -2235 * sinDeg(meanLongitude) + 382 * sinDeg(a3) + 175 * sinDeg(a1 - latitudeArgument) +
            175 * sinDeg(a1 + latitudeArgument) + 127 * sinDeg(meanLongitude - moonAnomaly) -
            115 * sinDeg(meanLongitude + moonAnomaly);

    return {meanLongitude + sumL / 1000000.0L, sumB / 1000000.0L,
            kMeanMoonDistance + sumR / 1000.0L};
}

// An angle of [0, 360) in double precision: one just below 360 would round to 360 itself.
double toDouble(Real degrees) {
    const auto result = static_cast<double>(degrees);
    return result < 360.0 ? result : 0.0;
}

// Halves to even, as the picture's original arithmetic rounded.
int roundHalfEven(Real value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

double normalizeDegrees(double degrees) {
    return toDouble(normalize(degrees));
}

double phaseAngle(DateTime when) {
    const Real t = (julianDay(when) - kJ2000) / kDaysPerCentury;
    const SunPosition sun = sunPosition(t);
    const MoonPosition moon = moonPosition(t);
    // Elongation of the Moon from the Sun, then the Sun-Moon angle seen from the Moon.
    const Real elongation =
        std::acos(cosDeg(moon.latitude) * cosDeg(moon.longitude - sun.longitude));
    Real angle = toDegrees(std::atan(sun.distance * std::sin(elongation) /
                                     (moon.distance - sun.distance * std::cos(elongation))));
    if (angle < 0) {
        angle += 180;
    }
    // West of the Sun the Moon wanes.
    if (normalize(moon.longitude - sun.longitude) > 180) {
        angle = -angle;
    }
    return toDouble(normalize(angle));
}

std::string formatPhaseAngle(DateTime day) {
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                      phaseAngle(static_cast<DateTime>(dateOf(day))), std::chars_format::fixed, 2);
    return {buffer.data(), result.ptr};
}

std::vector<PixelRun> moonShadow(int cx, int cy, int r, double phase) {
    const Real g = cosDeg(phase);
    const bool waxing = phase < 180;
    std::vector<PixelRun> runs(static_cast<std::size_t>(std::max(0, 2 * r + 1)));
    const auto centre = static_cast<std::size_t>(std::max(0, r));
    for (int h = 0; h <= r; ++h) {
        const auto offset = static_cast<std::size_t>(h);
        const Real l = std::sqrt(static_cast<Real>(r * r - h * h));
        const int m = roundHalfEven(l);
        const int t = roundHalfEven(l * g);
        // Waxing: dark on the left, from the rim to the terminator; waning: on the right.
        const int from = waxing ? cx - m : cx + t;
        const int to = waxing ? cx - t : cx + m;
        runs[centre - offset] = {cy - h, from, to};
        runs[centre + offset] = {cy + h, from, to};
    }
    return runs;
}

} // namespace veskor
