#include "maps/MapReadout.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "geo/Position.h"

namespace velmora {

std::string CursorPositionText(GeoPoint p) {
    const DegreesMinutesSeconds lat = LatToDms(p.lat), lon = LonToDms(p.lon);
    char text[128];
    std::snprintf(text, sizeof text, "Lat %3ld %02ld' %02ld\"%c Lon %3ld %02ld' %02ld\"%c ", long(lat.degrees),
                  long(lat.minutes), long(lat.seconds), lat.hemisphere, long(lon.degrees), long(lon.minutes),
                  long(lon.seconds), lon.hemisphere);
    return text;
}

std::string DistanceText(double miles, int bearing, DistanceUnits units) {
    char text[64];
    if (units == DistanceUnits::kMetric) {
        const double km = miles * 1.6;
        if (km > 1.0)
            std::snprintf(text, sizeof text, "%ld.%02ld km, %d deg", long(km), long(km * 100) % 100, bearing);
        else
            std::snprintf(text, sizeof text, "%ld m, %d deg", long(km * 1000), bearing);
    } else if (miles > 1.0) {
        std::snprintf(text, sizeof text, "%ld.%02ld mi, %d deg", long(miles), long(miles * 100) % 100, bearing);
    } else {
        std::snprintf(text, sizeof text, "%ld ft, %d deg", long(miles * 5280), bearing);
    }
    return text;
}

std::string CursorReadout(GeoPoint cursor, GeoPoint reference, DistanceUnits units) {
    const double miles = DistanceMiles(reference.lon, reference.lat, cursor.lon, cursor.lat);
    const int bearing = BearingDegrees(reference.lon, reference.lat, cursor.lon, cursor.lat);
    return CursorPositionText(cursor) + " " + DistanceText(miles, bearing, units);
}

std::string MapDateText(uint32_t seconds) {
    if (seconds == 0) return "-";
    // 1904-01-01 is 24107 days before 1970-01-01; the civil-date arithmetic
    // counts from 0000-03-01, 719468 days before 1970.
    const int64_t days = int64_t(seconds / 86400) - 24107 + 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", int(y), int(m), int(d));
    return text;
}

std::string MapInformationLine(const MapDescriptor& d) {
    std::string type;
    for (const char c : d.mapType) type.push_back(static_cast<char>(c & 0x7F));
    char text[200];
    std::snprintf(text, sizeof text, "Creator: %s  Date: %s  Map Points: %ld  Map Labels: %ld  Map Type %s",
                  d.creator.c_str(), MapDateText(d.created).c_str(), long(d.pointCount), long(d.labelCount),
                  type.c_str());
    return std::string(text) + "  " + CursorPositionText({d.west, d.north}) + " " +
           CursorPositionText({d.east, d.south});
}

std::optional<GeoRect> HomeViewFrom(const std::vector<std::string>& lines) {
    double lat = 0, lon = 0;
    long radius = 0;
    for (std::string line : lines) {
        for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (line.size() < 5) continue;
        std::string value = line.substr(4);
        value.erase(0, value.find_first_not_of(" \t"));
        const char* b = value.data();
        const char* e = value.data() + value.size();
        if (!value.empty() && *b == '+') ++b;
        if (line.rfind("LAT", 0) == 0) std::from_chars(b, e, lat);
        else if (line.rfind("LON", 0) == 0) std::from_chars(b, e, lon);
        else if (line.rfind("RAD", 0) == 0) std::from_chars(b, e, radius);
    }
    if (lat == 0 || lon == 0 || radius == 0) return std::nullopt;
    const int64_t r = int64_t(radius) * 6000;
    const int64_t cx = LonUnitsFromDegrees(lon), cy = LatUnitsFromDegrees(lat);
    auto clamp = [](int64_t v, int32_t max) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, max)); };
    return GeoRect{clamp(cx - r, kLonUnitsMax), clamp(cx + r, kLonUnitsMax), clamp(cy - r, kLatUnitsMax),
                   clamp(cy + r, kLatUnitsMax)};
}

}  // namespace velmora
