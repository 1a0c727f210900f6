#include "geo/Utm.h"

#include <cmath>

namespace velmora {
namespace {

constexpr double kSemiMajor = 6378206.4;  // Clarke 1866
constexpr double kEccSquared = 0.006768657997291219;
constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kPi = 3.1415926535898;

}  // namespace

std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing) {
    const double e2 = kEccSquared;
    const double ep2 = e2 / (1 - e2);
    const double centralMeridian = (6.0 * zone - 183.0) * kPi / 180.0;
    const double x = easting - kFalseEasting;
    const double m = northing / kScale;
    const double mu = m / (kSemiMajor * (1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256));
    const double r = std::sqrt(1 - e2);
    const double e1 = (1 - r) / (1 + r);
    const double phi1 = mu + (3 * e1 / 2 - 27 * std::pow(e1, 3) / 32) * std::sin(2 * mu) +
                        (21 * e1 * e1 / 16 - 55 * std::pow(e1, 4) / 32) * std::sin(4 * mu) +
                        (151 * std::pow(e1, 3) / 96) * std::sin(6 * mu) +
                        (1097 * std::pow(e1, 4) / 512) * std::sin(8 * mu);
    const double cosPhi1 = std::cos(phi1);
    if (cosPhi1 == 0) return std::nullopt;
    const double sinPhi1 = std::sin(phi1);
    const double tanPhi1 = sinPhi1 / cosPhi1;
    const double c1 = ep2 * cosPhi1 * cosPhi1;
    const double t1 = tanPhi1 * tanPhi1;
    const double w = 1 - e2 * sinPhi1 * sinPhi1;
    const double n1 = kSemiMajor / std::sqrt(w);
    const double r1 = kSemiMajor * (1 - e2) / std::pow(w, 1.5);
    const double d = x / (n1 * kScale);
    const double d2 = d * d, d3 = d2 * d, d4 = d3 * d, d5 = d4 * d, d6 = d5 * d;
    const double lat = phi1 - (n1 * tanPhi1 / r1) *
                                  (d2 / 2 - (5 + 3 * t1 + 10 * c1 - 4 * c1 * c1 - 9 * ep2) * d4 / 24 +
                                   (61 + 90 * t1 + 298 * c1 + 45 * t1 * t1 - 252 * ep2 - 3 * c1 * c1) * d6 / 720);
    const double lon = centralMeridian + (d - (1 + 2 * t1 + c1) * d3 / 6 +
                                          (5 - 2 * c1 + 28 * t1 - 3 * c1 * c1 + 8 * ep2 + 24 * t1 * t1) * d5 / 120) /
                                             cosPhi1;
    return LatLonDegrees{lat * 180.0 / kPi, lon * 180.0 / kPi};
}

double UtmToLatitude(int zone, double easting, double northing) {
    const auto p = UtmToLatLon(zone, easting, northing);
    return p ? p->lat : 0;
}

double UtmToLongitude(int zone, double easting, double northing) {
    const auto p = UtmToLatLon(zone, easting, northing);
    return p ? p->lon : 0;
}

}  // namespace velmora
