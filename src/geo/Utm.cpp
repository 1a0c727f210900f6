#include "geo/Utm.h"

#include <cmath>
#include <cstdio>

namespace velmora {
namespace {

constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;
constexpr double kPi = 3.1415926535898;  // as the map files were made with
constexpr double kDegrees = 3.14159265358979323846 / 180.0;

double CentralMeridian(int zone) { return (6.0 * zone - 183.0) * kPi / 180.0; }

}  // namespace

std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing, bool south, const Ellipsoid& el) {
    const double a = el.semiMajor, e2 = el.eccSquared;
    const double ep2 = e2 / (1 - e2);
    const double x = easting - kFalseEasting;
    const double m = (south ? northing - kFalseNorthingSouth : northing) / kScale;
    const double mu = m / (a * (1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256));
    const double r = std::sqrt(1 - e2);
    const double e1 = (1 - r) / (1 + r);
    const double phi1 = mu + (3 * e1 / 2 - 27 * std::pow(e1, 3) / 32) * std::sin(2 * mu) +
                        (21 * e1 * e1 / 16 - 55 * std::pow(e1, 4) / 32) * std::sin(4 * mu) +
                        (151 * std::pow(e1, 3) / 96) * std::sin(6 * mu) +
                        (1097 * std::pow(e1, 4) / 512) * std::sin(8 * mu);
    const double cosPhi1 = std::cos(phi1);
    if (cosPhi1 == 0 || !std::isfinite(phi1)) return std::nullopt;
    const double sinPhi1 = std::sin(phi1);
    const double tanPhi1 = sinPhi1 / cosPhi1;
    const double c1 = ep2 * cosPhi1 * cosPhi1;
    const double t1 = tanPhi1 * tanPhi1;
    const double w = 1 - e2 * sinPhi1 * sinPhi1;
    const double n1 = a / std::sqrt(w);
    const double r1 = a * (1 - e2) / std::pow(w, 1.5);
    const double d = x / (n1 * kScale);
    const double d2 = d * d, d3 = d2 * d, d4 = d3 * d, d5 = d4 * d, d6 = d5 * d;
    const double lat = phi1 - (n1 * tanPhi1 / r1) *
                                  (d2 / 2 - (5 + 3 * t1 + 10 * c1 - 4 * c1 * c1 - 9 * ep2) * d4 / 24 +
                                   (61 + 90 * t1 + 298 * c1 + 45 * t1 * t1 - 252 * ep2 - 3 * c1 * c1) * d6 / 720);
    const double lon = CentralMeridian(zone) + (d - (1 + 2 * t1 + c1) * d3 / 6 +
                                                (5 - 2 * c1 + 28 * t1 - 3 * c1 * c1 + 8 * ep2 + 24 * t1 * t1) * d5 / 120) /
                                                   cosPhi1;
    return LatLonDegrees{lat * 180.0 / kPi, lon * 180.0 / kPi};
}

std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing) {
    return UtmToLatLon(zone, easting, northing, false, kClarke1866);
}

double UtmToLatitude(int zone, double easting, double northing) {
    const auto p = UtmToLatLon(zone, easting, northing);
    return p ? p->lat : 0;
}

double UtmToLongitude(int zone, double easting, double northing) {
    const auto p = UtmToLatLon(zone, easting, northing);
    return p ? p->lon : 0;
}

char UtmBand(double lat) {
    if (!(lat >= -80 && lat <= 84)) return 0;
    static constexpr char kBands[] = "CDEFGHJKLMNPQRSTUVWX";
    const int index = lat >= 72 ? 19 : static_cast<int>(std::floor((lat + 80) / 8));
    return kBands[index];
}

UtmPosition LatLonToUtmInZone(double lat, double lon, int zone, const Ellipsoid& el) {
    const double a = el.semiMajor, e2 = el.eccSquared;
    const double ep2 = e2 / (1 - e2);
    const double phi = lat * kDegrees;
    double dl = lon * kDegrees - CentralMeridian(zone);
    while (dl > kPi) dl -= 2 * kPi;  // a zone across the date line
    while (dl < -kPi) dl += 2 * kPi;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi), tanPhi = std::tan(phi);
    const double n = a / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const double t = tanPhi * tanPhi;
    const double c = ep2 * cosPhi * cosPhi;
    const double aa = dl * cosPhi;
    const double e4 = e2 * e2, e6 = e4 * e2;
    const double m = a * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi -
                          (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi) +
                          (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi) - (35 * e6 / 3072) * std::sin(6 * phi));
    const double a2 = aa * aa, a3 = a2 * aa, a4 = a3 * aa, a5 = a4 * aa, a6 = a5 * aa;
    UtmPosition p;
    p.zone = zone;
    p.band = UtmBand(lat);
    p.south = lat < 0;
    p.easting = kFalseEasting +
                kScale * n * (aa + (1 - t + c) * a3 / 6 + (5 - 18 * t + t * t + 72 * c - 58 * ep2) * a5 / 120);
    p.northing = kScale * (m + n * tanPhi *
                                   (a2 / 2 + (5 - t + 9 * c + 4 * c * c) * a4 / 24 +
                                    (61 - 58 * t + t * t + 600 * c - 330 * ep2) * a6 / 720));
    if (p.south) p.northing += kFalseNorthingSouth;
    return p;
}

std::optional<UtmPosition> LatLonToUtm(double lat, double lon, const Ellipsoid& e) {
    if (!std::isfinite(lat) || !std::isfinite(lon) || lat < -80 || lat > 84 || lon < -180 || lon > 180)
        return std::nullopt;
    if (lon == 180) lon = -180;  // the date line belongs to zone 1
    int zone = static_cast<int>(std::floor((lon + 180) / 6)) + 1;
    // Southern Norway's wider zone and Svalbard's four.
    if (lat >= 56 && lat < 64 && lon >= 3 && lon < 12) zone = 32;
    if (lat >= 72) {
        if (lon >= 0 && lon < 9) zone = 31;
        else if (lon >= 9 && lon < 21) zone = 33;
        else if (lon >= 21 && lon < 33) zone = 35;
        else if (lon >= 33 && lon < 42) zone = 37;
    }
    return LatLonToUtmInZone(lat, lon, zone, e);
}

std::string UtmText(const UtmPosition& p) {
    char text[48];
    std::snprintf(text, sizeof text, "%d%c %.0f %.0f", p.zone, p.band, std::floor(p.easting), std::floor(p.northing));
    return text;
}

}  // namespace velmora
