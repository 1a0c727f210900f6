#pragma once
// Universal Transverse Mercator both ways, by the USGS transverse Mercator
// series (Snyder, Map Projections: A Working Manual). Map files in UTM are
// on the Clarke 1866 ellipsoid, northern hemisphere, without a false
// northing; what the program shows of a position is on WGS 84, with the
// usual 10 000 000 m false northing south of the equator.
#include <optional>
#include <string>

namespace velmora {

struct LatLonDegrees {
    double lat = 0;  // north
    double lon = 0;  // east
};

struct Ellipsoid {
    double semiMajor;  // metres
    double eccSquared;
};
inline constexpr Ellipsoid kClarke1866{6378206.4, 0.006768657997291219};
inline constexpr Ellipsoid kWgs84{6378137.0, 0.0066943799901413165};

struct UtmPosition {
    int zone = 0;       // 1-60
    char band = 'N';    // C-X without I and O
    bool south = false;
    double easting = 0, northing = 0;  // metres
};

// Inverse, as the map reader uses it: Clarke 1866, northern form. Nothing
// when the footpoint latitude's cosine is 0 (outside the series).
std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing);
double UtmToLatitude(int zone, double easting, double northing);
double UtmToLongitude(int zone, double easting, double northing);
// Inverse on any ellipsoid; south subtracts the false northing first.
std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing, bool south, const Ellipsoid& e);

// Forward: the zone (with the Norway and Svalbard exceptions) and band of
// a position, and its easting and northing. Nothing outside 80° S to 84° N
// (the polar stereographic regions) or for an impossible position.
std::optional<UtmPosition> LatLonToUtm(double lat, double lon, const Ellipsoid& e = kWgs84);
// The same in a given zone (for the map reader's own zone).
UtmPosition LatLonToUtmInZone(double lat, double lon, int zone, const Ellipsoid& e);
// The latitude band letter: C at 80° S, X for 72° to 84° N; 0 outside.
char UtmBand(double lat);
// "18T 693296 4620296", whole metres.
std::string UtmText(const UtmPosition& p);

}  // namespace velmora
