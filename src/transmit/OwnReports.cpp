#include "transmit/OwnReports.h"

#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"

namespace velmora {
namespace {

// Degrees, minutes and hundredths of a minute of a distance in position units.
void Split(long units, long& degrees, long& minutes, long& hundredths) {
    degrees = units / 360000;
    const long rest = units % 360000;
    minutes = rest / 6000;
    hundredths = ((rest % 6000) / 100) * 100 / 60;
}

std::string LocationSuffix(const OwnReportSettings& s) {
    if (s.state.size() < 2 || s.county.size() < 3) return {};
    char out[64];
    std::snprintf(out, sizeof out, "-%c%c%c%c%c%-8s", s.state[0], s.state[1], s.county[0], s.county[1], s.county[2],
                  s.city.substr(0, 40).c_str());
    return out;
}

std::string VersionSuffix(const OwnReportSettings& s) {
    char out[32];
    std::snprintf(out, sizeof out, "-%d%d%d-<%03x>", 2, 2, 8, s.machineCode);
    return out;
}

}  // namespace

namespace {

// Degrees (in this many digits), minutes and hundredths of a minute of a
// distance from the equator or Greenwich, with its hemisphere letter.
std::string PositionText(long distance, int degreeDigits, char hemisphere) {
    long d, m, h;
    Split(distance, d, m, h);
    char out[16];
    std::snprintf(out, sizeof out, "%0*ld%02ld.%02ld%c", degreeDigits, d, m, h, hemisphere);
    return out;
}

}  // namespace

std::string LatitudeText(int32_t lat) {
    const bool north = lat <= kLatOrigin;
    return PositionText(north ? kLatOrigin - lat : lat - kLatOrigin, 2, north ? 'N' : 'S');
}

std::string LongitudeText(int32_t lon) {
    const bool west = lon <= kLonOrigin;
    return PositionText(west ? kLonOrigin - lon : lon - kLonOrigin, 3, west ? 'W' : 'E');
}

std::string DayHourMinuteText(const LocalDateTime& now, int utcOffsetHours) {
    const LocalDateTime utc = FromTimeStamp(ToTimeStamp(now) - static_cast<TimeStamp>(utcOffsetHours) * 3600);
    char out[16];
    std::snprintf(out, sizeof out, "%02d%02d%02dz", utc.day, utc.hour, utc.minute);
    return out;
}

std::string DestinationCall(const OwnReportSettings& s) {
    if (s.spaceMode && s.lon > 0 && s.lon < 129600000 && s.lat > 0 && s.lat < 64800000) {
        return PositionToLocator(s.lon, s.lat).substr(0, 6);
    }
    return "APZ228";
}

std::string FixedPositionReport(const OwnReportSettings& s) {
    const std::string pos = LatitudeText(s.lat) + s.symbolTable + LongitudeText(s.lon) + s.symbolCode;
    std::string out = "=" + pos;
    if (s.phg.size() >= 4 && s.phg[0] != '\0') out += "PHG" + s.phg.substr(0, 4) + "/" + s.comment;
    else out += " " + s.comment;
    out += " " + LocationSuffix(s) + VersionSuffix(s) + "\r";
    return out;
}

std::string QrtReport(const OwnReportSettings& s, const LocalDateTime& now) {
    return "!" + LatitudeText(s.lat) + s.symbolTable + LongitudeText(s.lon) + s.symbolCode + " Velmora QRT @" +
           DayHourMinuteText(now, s.utcOffsetHours) + "\r";
}

}  // namespace velmora
