#pragma once
// Stored positions are hundredths of an arc-second counted from the
// north-west corner of the world: longitude 0 is 180 W, latitude 0 is 90 N.
// A coordinate of 0 or less means "no position".
#include <cstdint>

namespace velmora {

constexpr int32_t kUnitsPerDegree = 360000;
constexpr int32_t kLonOrigin = 64800000;  // Greenwich
constexpr int32_t kLatOrigin = 32400000;  // equator

inline bool ValidCoordinate(int32_t units) { return units > 0; }

// Degrees east/north to units; the conversion truncates toward zero.
int32_t LonUnitsFromDegrees(double degreesEast);
int32_t LatUnitsFromDegrees(double degreesNorth);
double LonDegreesFromUnits(int32_t lon);
double LatDegreesFromUnits(int32_t lat);

// Flat-earth distance in statute miles at 69.10 miles a degree, with the
// cosine of the middle latitude's whole degrees for the longitude difference.
double DistanceMiles(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2);
// The distance from home stored with a station: the nearest whole mile.
int32_t WholeMilesRounded(double miles);
// Bearing in whole degrees, 0..359, clockwise from north, from 1 to 2.
int BearingDegrees(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2);

struct DegreesMinutesSeconds {
    int degrees;
    int minutes;
    int seconds;
    char hemisphere;
};
DegreesMinutesSeconds LatToDms(int32_t lat);
DegreesMinutesSeconds LonToDms(int32_t lon);

}  // namespace velmora
