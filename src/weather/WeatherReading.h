#pragma once
// One reading of a weather station, in the units the program keeps.
#include <cstdint>

namespace velmora {

// An outside temperature no station sends: the reading has none.
constexpr int32_t kNoTemperature = -99999;

struct WeatherReading {
    int32_t outsideTenthsF = 0;
    int32_t insideTenthsF = 0;
    int32_t pressureTenthsMbar = 0;  // 0: not reported
    int32_t windMph = 0;             // -1: not reported
    int32_t windDirection = 0;
    int32_t gustMph = -1;            // -1: not reported
    int32_t humidity = 0;            // 0: not reported
    int32_t insideHumidity = 0;
    int32_t rainCounter = -1;        // hundredths of an inch (counter times the rain factor); -1: not reported
    int32_t rainToday = -1;          // the station's own count since midnight; -1: not reported
    int32_t minuteOfDay = -1;        // -1: not reported
};

}  // namespace velmora
