#include "transmit/WeatherReport.h"

#include <algorithm>
#include <cstdio>

namespace velmora {
namespace {

struct TypeCode {
    int type;
    const char* code;
};
constexpr TypeCode kCodes[] = {{1, "MAN"}, {2, "UII"}, {3, "U2K"}, {4, "HKT"}, {5, "DAV"}, {6, "TEX"},
                               {7, "MAX"}, {8, "CAP"}, {9, "RSW"}, {11, "DAV"}, {12, "WXN"}};

OwnWeather Clamped(OwnWeather w) {
    if (w.humidity < 0 || w.humidity > 100) w.humidity = 0;
    if (w.humidity == 100) w.humidity = 99;
    if (w.windDirection < 0 || w.windDirection > 360) w.windDirection = 0;
    for (int* v : {&w.windSpeedMph, &w.windGustMph, &w.rainHour, &w.rain24h, &w.barometerTenthsMbar})
        if (*v < 0) *v = 0;
    // Three digits is all a field has: a wider number would shift every
    // field after it.
    for (int* v : {&w.windSpeedMph, &w.windGustMph, &w.rainHour, &w.rain24h}) *v = std::min(*v, 999);
    if (w.rainSinceMidnight > 999) w.rainSinceMidnight = 999;
    w.barometerTenthsMbar = std::min(w.barometerTenthsMbar, 99999);
    w.temperatureTenthsF = std::clamp(w.temperatureTenthsF, -999, 9999);
    return w;
}

}  // namespace

std::optional<std::string> WeatherReport(int stationType, const OwnWeather& raw, const std::string& time) {
    const char* code = nullptr;
    for (const TypeCode& c : kCodes)
        if (c.type == stationType) code = c.code;
    if (!code) return std::nullopt;
    const OwnWeather w = Clamped(raw);
    if (stationType == 1 && !(w.windSpeedMph > 0 || w.temperatureTenthsF != 0 || w.rainHour > 0 || w.rain24h > 0 ||
                              w.humidity > 0 || w.barometerTenthsMbar > 0))
        return std::nullopt;
    const int sinceMidnight = w.rainSinceMidnight >= 0 ? w.rainSinceMidnight
                              : w.rainTotal > 0 && w.rainAtMidnight > 0 && w.rainTotal > w.rainAtMidnight
                                  ? std::min(w.rainTotal - w.rainAtMidnight, 999)
                                  : 0;
    const int t = w.temperatureTenthsF / 10;  // truncated toward zero
    char out[128];
    switch (stationType) {
        case 2:
            std::snprintf(out, sizeof out, "_%sc%03ds%03dg%03dt%03dr%03dp%03dP%03dh..b.....%c%s\r", time.c_str(),
                          w.windDirection, w.windSpeedMph, w.windGustMph, t, w.rainHour, w.rain24h, sinceMidnight, 'w',
                          code);
            break;
        case 8:
            // Five digits like every other type: with four, any pressure
            // below 1000.0 mb went out one digit short and read ten times low.
            std::snprintf(out, sizeof out, "_%sc%03ds%03dg%03dt%03dr...p...P...h%02db%05d%c%s\r", time.c_str(),
                          w.windDirection, w.windSpeedMph, w.windGustMph, t, 0, w.barometerTenthsMbar, 'w', code);
            break;
        case 11:
            std::snprintf(out, sizeof out, "_%sc%03ds%03dg%03dt%03dr%03dp%03dP%03dh%02db.....%c%s\r", time.c_str(),
                          w.windDirection, w.windSpeedMph, w.windGustMph, t, w.rainHour, w.rain24h, sinceMidnight,
                          w.humidity, 'w', code);
            break;
        default:
            std::snprintf(out, sizeof out, "_%sc%03ds%03dg%03dt%03dr%03dp%03dP%03dh%02db%05d%c%s\r", time.c_str(),
                          w.windDirection, w.windSpeedMph, w.windGustMph, t, w.rainHour, w.rain24h, sinceMidnight,
                          w.humidity, w.barometerTenthsMbar, 'w', code);
            break;
    }
    return std::string(out);
}

}  // namespace velmora
