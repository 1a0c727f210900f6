#pragma once
// The own weather report, positionless: "_MMDDHHMM" then the fields the
// station type sends, then the type's letters. Values out of range are
// clamped first; humidity 100 goes out as 99.
#include <optional>
#include <string>

namespace velmora {

struct OwnWeather {
    int temperatureTenthsF = 0;
    int windDirection = 0, windSpeedMph = 0, windGustMph = 0;
    int rainHour = 0, rain24h = 0;          // hundredths of an inch
    int rainTotal = 0, rainAtMidnight = 0;  // the running total and its value at midnight
    int rainSinceMidnight = -1;             // given by the station itself; -1: from the totals
    int humidity = 0;                       // percent
    int barometerTenthsMbar = 0;
};

// Nothing for type 10 (no report) or an unknown type, and for type 1 (the
// values entered by hand) when nothing worth sending was entered.
std::optional<std::string> WeatherReport(int stationType, const OwnWeather& w, const std::string& monthDayHourMinute);

// Whether weather data this old may still go out.
inline bool WeatherFresh(long secondsOld) { return secondsOld >= 0 && secondsOld < 5400; }

}  // namespace velmora
