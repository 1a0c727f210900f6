#pragma once
// The home station's weather as it stands: the latest readings with the
// day's extremes and the rain totals. Rain values are hundredths of an inch,
// temperatures tenths of a degree F, pressures tenths of a millibar.
// Counters are kept in 32 bits: a 0.10 inch gauge's counter times ten does
// not fit 16 bits, and the files that hold 16-bit values saturate instead.
#include <cstdint>

#include "platform/Clock.h"

namespace velmora {

struct WeatherRecord {
    int32_t rainCounter = 0;
    int32_t rainSinceSample = 0;  // rain since the last five-minute sample
    int32_t rain24h = 0, rain1h = 0, rainToday = 0;
    int32_t rainMidnight = -1;    // -1: not yet known
    int32_t rainAccumulated = 0;
    int32_t windSpeed = 0, windDirection = 0, windSpeedCopy = 0;
    int32_t windGust = 0, windGustDirection = 0;
    int32_t temperaturePrevious = 0, temperature = 0, temperatureInside = 0;
    int32_t humidity = 0, humidityMin = 0, humidityMax = 0, humidityInside = 0;
    int32_t pressure = 0, pressureMin = 0, pressureMax = 0;
    int32_t pressureTendency = 0;  // 1 rising, -1 falling, 0 steady or unknown
    TimeStamp pressureMaxTime = 0, pressureMinTime = 0;
    int32_t temperatureMin = 999, temperatureMax = -999;
    TimeStamp temperatureMinTime = 0, temperatureMaxTime = 0;
    int32_t gustMax = 0, gustMaxDirection = 0;
    TimeStamp gustMaxTime = 0;
    bool initialised = false;  // the first reading filled the rain histories
};

// The alarm limits of the weather settings, shared with the alarms raised
// for received weather stations. 0 is off.
struct WeatherLimits {
    int16_t lowTemperatureF = 0, highTemperatureF = 0, highWindMph = 0;
    int16_t deltaTemperatureF = 0;  // per ten minutes
    int16_t alarmRadiusMiles = 0;
};

// What a reading asks of the rest of the program.
struct WeatherRequests {
    bool weatherNowRadio = false;        // the own weather report on HF and VHF
    bool positionNowInternet = false;    // the own position on the internet link
    bool displayChanged = false;
    bool Any() const { return weatherNowRadio || positionNowInternet || displayChanged; }
};

// Readings that no station can mean are dropped at the door: a cable that
// picks up noise must not put 900 F into a report.
constexpr int32_t kMinOutsideTenthsF = -559, kMaxOutsideTenthsF = 1489;
constexpr int32_t kMinPressureTenths = 5000, kMaxPressureTenths = 11000;
constexpr int32_t kMaxWindMph = 300;

}  // namespace velmora
