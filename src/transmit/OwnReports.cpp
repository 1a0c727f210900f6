#include "transmit/OwnReports.h"

#include <cstdio>
#include <cstdlib>

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

std::string MonthDayHourMinuteText(const LocalDateTime& now, int utcOffsetHours) {
    const LocalDateTime utc = FromTimeStamp(ToTimeStamp(now) - static_cast<TimeStamp>(utcOffsetHours) * 3600);
    char out[16];
    std::snprintf(out, sizeof out, "%02d%02d%02d%02d", utc.month, utc.day, utc.hour, utc.minute);
    return out;
}

std::string MovingPositionReport(const OwnReportSettings& s, const OwnMotion& gps, const LocalDateTime& now) {
    const bool fix = gps.lon > 0 && gps.lat != 0;
    const int32_t lon = fix ? gps.lon : s.lon, lat = fix ? gps.lat : s.lat;
    const int knots = static_cast<int>(gps.speedMph * 0.8689779524944695);
    char cs[16];
    std::snprintf(cs, sizeof cs, "%03d/%03d/", gps.course, knots);
    return "@" + DayHourMinuteText(now, s.utcOffsetHours) + LatitudeText(lat) + s.symbolTable + LongitudeText(lon) +
           s.symbolCode + cs + " " + VersionSuffix(s) + "\r";
}

std::string StatusReport(const LocalDateTime& saved, std::string_view text) {
    if (text.empty()) return {};
    char head[16];
    std::snprintf(head, sizeof head, ">%02d%02d%02d ", saved.day, saved.hour, saved.minute);
    return head + std::string(text);
}

std::string GridSquareReport(const OwnReportSettings& s) {
    return "[" + PositionToLocator(s.lon, s.lat).substr(0, 6) + "]\r";
}

std::string RdfReport(const OwnReportSettings& s, const LocalDateTime& now, int bearing, int quality) {
    char tail[24];
    std::snprintf(tail, sizeof tail, "\\%03d/%03d/\r", bearing, quality);
    return "@" + DayHourMinuteText(now, s.utcOffsetHours) + LatitudeText(s.lat) + "/" + LongitudeText(s.lon) + tail;
}

std::string ObjectReport(const OwnObject& o, const std::string& nowText) {
    char name[16];
    std::snprintf(name, sizeof name, "%-9s", o.name.substr(0, 9).c_str());
    // The table byte may be an overlay character on the alternate table.
    const char table = o.symbolTable == '/' || (o.symbolTable >= 'A' && o.symbolTable <= 'Z') ||
                               (o.symbolTable >= '0' && o.symbolTable <= '9') || o.symbolTable == '\\'
                           ? o.symbolTable
                           : '/';
    const char marker = o.killed ? '_' : o.item ? '!' : '*';
    std::string head = o.item ? ")" + o.name.substr(0, 9) + marker
                              : std::string(";") + name + marker + (o.deadReckoned ? nowText : o.timeText);
    head += LatitudeText(o.lat) + table + LongitudeText(o.lon) + o.symbolCode;
    const std::string trailer = o.deadReckoned ? " DR" : "";
    char data[48];
    if (o.speed > 0 && o.altitudeFeet > 0) {
        std::snprintf(data, sizeof data, "%03d/%03d/A=%06ld ", o.course, o.speed, long(o.altitudeFeet));
        return head + data + o.comment + trailer + "\r";
    }
    if (o.speed > 0) {
        std::snprintf(data, sizeof data, "%03d/%03d ", o.course, o.speed);
        return head + data + o.comment + trailer + "\r";
    }
    return head + " " + o.comment + "\r";
}

std::string QueryAll() { return "?APRS?\r"; }
std::string QueryWeather() { return "?WX?\r"; }
std::string QueryIGates() { return "?IGATE?\r"; }

std::string QueryArea(int32_t lon, int32_t lat, long radius) {
    const long latUnits = long(kLatOrigin) - lat, lonUnits = long(lon) - kLonOrigin;
    auto split = [](long units, long& degrees, int& hundredths) {
        degrees = units / 360000;
        const long minutes = std::labs(units % 360000) / 6000;
        hundredths = static_cast<int>(minutes * 100 / 60);
    };
    long latDeg, lonDeg;
    int latMin, lonMin;
    split(latUnits, latDeg, latMin);
    split(lonUnits, lonDeg, lonMin);
    char out[64];
    std::snprintf(out, sizeof out, "?APRS?%03ld.%02d,%04ld.%02d,%04ld\r", latDeg, latMin, lonDeg, lonMin, radius);
    return out;
}

std::string InternetForm(const OwnReportSettings& s, std::string_view report) {
    return s.call + ">" + DestinationCall(s) + ",TCPIP*:" + std::string(report);
}

std::string QrtReport(const OwnReportSettings& s, const LocalDateTime& now) {
    return "!" + LatitudeText(s.lat) + s.symbolTable + LongitudeText(s.lon) + s.symbolCode + " Velmora QRT @" +
           DayHourMinuteText(now, s.utcOffsetHours) + "\r";
}

}  // namespace velmora
