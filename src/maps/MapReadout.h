#pragma once
// The texts of a map window's status strip: the cursor position, the
// distance and bearing from the reference point, the map information line,
// and the home view read from "Home.txt".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/MapRecords.h"
#include "maps/MapView.h"

namespace velmora {

enum class DistanceUnits : uint8_t { kStatute, kMetric };

// "Lat  45 30' 12"N Lon  73 34' 05"W "
std::string CursorPositionText(GeoPoint p);
// "12.34 mi, 45 deg", "850 ft, 45 deg", "19.74 km, 45 deg", "980 m, 45 deg".
std::string DistanceText(double miles, int bearing, DistanceUnits units);
// The cursor read-out: position, then distance and bearing from the
// reference point.
std::string CursorReadout(GeoPoint cursor, GeoPoint reference, DistanceUnits units);
// "Creator: ...  Date: ...  Map Points: ...  Map Labels: ...  Map Type ...",
// then the top-left and bottom-right corners.
std::string MapInformationLine(const MapDescriptor& d);
// A creation time stamp (seconds since 1904-01-01) as YYYY-MM-DD.
std::string MapDateText(uint32_t seconds);

// The home view from the lines of "Home.txt" ("LAT", "LON", "RAD" lines,
// the value from the fifth character: degrees north, degrees east, radius
// in whole arc-minutes); nothing unless all three are given and non-zero.
std::optional<GeoRect> HomeViewFrom(const std::vector<std::string>& lines);

}  // namespace velmora
