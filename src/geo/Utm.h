#pragma once
// UTM easting and northing (metres, northern hemisphere, no false
// northing) to latitude and longitude on the Clarke 1866 ellipsoid, by the
// footpoint-latitude series of the USGS inverse transverse Mercator.
#include <optional>

namespace velmora {

struct LatLonDegrees {
    double lat = 0;  // north
    double lon = 0;  // east
};

// Nothing when the footpoint latitude's cosine is 0 (outside the series).
std::optional<LatLonDegrees> UtmToLatLon(int zone, double easting, double northing);
double UtmToLatitude(int zone, double easting, double northing);
double UtmToLongitude(int zone, double easting, double northing);

}  // namespace velmora
