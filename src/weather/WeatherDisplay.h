#pragma once
// The "Weather Display" window's lines, and its compact form, from the
// record; in US units, or metric when the operator chose metric.
#include <string>
#include <string_view>
#include <vector>

#include "weather/WeatherChart.h"
#include "weather/WeatherRecord.h"

namespace velmora {

struct WeatherDisplayInput {
    const WeatherRecord& record;
    TimeStamp lastData = 0;            // 0: no data yet
    int yesterdayTenthsF = 0;          // this time yesterday, 0 unknown
    int yesterdayPressure = 0;         // tenths of a millibar, 0 unknown
    std::string_view typeName;         // the station type's short name
    bool metric = false;
};

std::vector<std::string> WeatherDisplayLines(const WeatherDisplayInput& in);
std::vector<std::string> CompactWeatherLines(const WeatherDisplayInput& in);

// "N", "NNE" ... for a wind direction in degrees.
std::string_view CompassText(int degrees);

}  // namespace velmora
