#pragma once
// Builds Mic-E packets the way current trackers do, for tests and
// benchmarks: the destination carries the latitude and message bits, the
// information field the longitude, speed and course.
#include <cmath>
#include <string>

namespace velmora {

struct MicEPacket {
    std::string destination;
    std::string info;
};

// Latitude and longitude in degrees (north, east positive), speed in knots
// (0..799), course 0..360, message code 0..7 with 7 the emergency.
inline MicEPacket EncodeMicE(double lat, double lon, int speedKnots, int course, char table,
                             char symbol, int messageCode, const std::string& comment = {}) {
    const double la = std::fabs(lat), lo = std::fabs(lon);
    const long latHundredths = std::lround(la * 6000);  // hundredths of a minute
    const int latDeg = static_cast<int>(latHundredths / 6000);
    const int latMin = static_cast<int>(latHundredths / 100 % 60);
    const int latHun = static_cast<int>(latHundredths % 100);
    const int digits[6] = {latDeg / 10, latDeg % 10, latMin / 10, latMin % 10, latHun / 10, latHun % 10};
    const long lonHundredths = std::lround(lo * 6000);
    const int lonDeg = static_cast<int>(lonHundredths / 6000);
    const int lonMin = static_cast<int>(lonHundredths / 100 % 60);
    const int lonHun = static_cast<int>(lonHundredths % 100);
    const bool offset = lonDeg < 10 || lonDeg >= 100;
    // Message bit A is set (a letter) when bit 2 of the code is clear.
    const bool flags[6] = {!(messageCode & 4), !(messageCode & 2), !(messageCode & 1), lat >= 0, offset, lon < 0};
    MicEPacket p;
    for (int i = 0; i < 6; ++i) p.destination.push_back(static_cast<char>((flags[i] ? 'P' : '0') + digits[i]));

    int d;
    if (lonDeg < 10) d = lonDeg + 90;
    else if (lonDeg < 100) d = lonDeg;
    else if (lonDeg < 110) d = lonDeg - 20;
    else d = lonDeg - 100;
    const int m = lonMin < 10 ? lonMin + 60 : lonMin;
    const int sp = speedKnots / 10 + 80;
    const int dc = (speedKnots % 10) * 10 + course / 100 + 4;
    const int se = course % 100;
    p.info = "`";
    for (int v : {d, m, lonHun, sp, dc, se}) p.info.push_back(static_cast<char>(v + 28));
    p.info.push_back(symbol);
    p.info.push_back(table);
    p.info += comment;
    return p;
}

}  // namespace velmora
