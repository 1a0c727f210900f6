#include "geo/Position.h"

#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {
// Degrees read from files can be anything; far past any place on earth
// they stop where the units still hold them.
double Bounded(double degrees) {
    if (std::isnan(degrees)) return 0;
    return std::fmax(-5000.0, std::fmin(5000.0, degrees));
}
}  // namespace

int32_t LonUnitsFromDegrees(double degreesEast) {
    return kLonOrigin + static_cast<int32_t>(Bounded(degreesEast) * kUnitsPerDegree);
}

int32_t LatUnitsFromDegrees(double degreesNorth) {
    return kLatOrigin - static_cast<int32_t>(Bounded(degreesNorth) * kUnitsPerDegree);
}

double LonDegreesFromUnits(int32_t lon) {
    return (static_cast<double>(lon) - kLonOrigin) / kUnitsPerDegree;
}

double LatDegreesFromUnits(int32_t lat) {
    return (static_cast<double>(kLatOrigin) - lat) / kUnitsPerDegree;
}

double DistanceMiles(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2) {
    const double dLon = std::fabs(static_cast<double>(lon2) - lon1);
    const double dLat = std::fabs(static_cast<double>(lat2) - lat1);
    const int32_t middle = lat1 / 2 + lat2 / 2;
    // Only the whole degrees of the middle latitude count.
    const int wholeDegrees = (kLatOrigin - middle) / kUnitsPerDegree;
    const double y = 6910.0 * dLat / 360000.0 / 100.0;
    const double x = 6910.0 * dLon / 360000.0 *
                     std::cos(wholeDegrees * 0.017453292519943302) / 100.0;
    return std::sqrt(x * x + y * y);
}

int32_t WholeMilesRounded(double miles) {
    return static_cast<int32_t>(std::lround(miles));
}

int BearingDegrees(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2) {
    constexpr double kRadPerUnit = 4.848136811095274e-08;
    auto west = [](int32_t lon) {
        int64_t w = static_cast<int64_t>(kLonOrigin) - lon;  // units west of Greenwich
        if (w < 0) w += 129600000;
        return static_cast<double>(w) * kRadPerUnit;
    };
    auto north = [](int32_t lat) { return (static_cast<double>(kLatOrigin) - lat) * kRadPerUnit; };
    const double dLambda = west(lon2) - west(lon1);
    const double a = 1.5707963267949 - north(lat2);
    const double b = 1.5707963267949 - north(lat1);
    const double t = std::tan(dLambda / 2);
    if (t == 0) return 0;
    const double A = std::atan2(std::cos((a - b) / 2) / t, std::cos((a + b) / 2));
    const double B = std::atan2(std::sin((a - b) / 2) / t, std::sin((a + b) / 2));
    double bearing = (A + B) * -57.2957795130823;
    if (bearing < 0) bearing += 360;
    if (bearing > 360) bearing = 0;
    int whole = static_cast<int>(bearing);
    return whole >= 360 ? 0 : whole;
}

namespace {
DegreesMinutesSeconds Split(int64_t units, char positive, char negative) {
    const char hemisphere = units < 0 ? negative : positive;
    units = std::llabs(units);
    const int64_t seconds = units / 100;
    return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60), hemisphere};
}
}  // namespace

DegreesMinutesSeconds LatToDms(int32_t lat) {
    return Split(static_cast<int64_t>(kLatOrigin) - lat, 'N', 'S');
}

DegreesMinutesSeconds LonToDms(int32_t lon) {
    return Split(static_cast<int64_t>(lon) - kLonOrigin, 'E', 'W');
}

}  // namespace velmora
