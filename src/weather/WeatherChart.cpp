#include "weather/WeatherChart.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {

int16_t Sat16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }
bool PressureInRange(int32_t p) { return p > 8000 && p < 11000; }

void Put16(uint8_t* p, int32_t v) {
    const uint16_t u = static_cast<uint16_t>(Sat16(v));
    p[0] = static_cast<uint8_t>(u & 0xFF);
    p[1] = static_cast<uint8_t>(u >> 8);
}

struct ZeroGroup {
    char key;
    std::initializer_list<size_t> values;
    const char* message;
};

}  // namespace

void WeatherChart::Load(std::span<const uint8_t> bytes) {
    for (Slot& s : slots_) s.fill(0);
    const size_t n = std::min(bytes.size(), kFileBytes) / 2;
    for (size_t i = 0; i < n; ++i)
        slots_[i / kValues][i % kValues] = static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8));
}

std::vector<uint8_t> WeatherChart::Bytes() const {
    std::vector<uint8_t> out(kFileBytes);
    for (size_t s = 0; s < kSlots; ++s)
        for (size_t v = 0; v < kValues; ++v) Put16(out.data() + 2 * (s * kValues + v), slots_[s][v]);
    return out;
}

SampleAlarms WeatherChart::Sample(const WeatherRecord& w, int hour, int minute, const WeatherLimits& limits) {
    SampleAlarms alarms;
    const size_t s = SlotOf(hour, minute);
    Slot& slot = slots_[s];
    slot[kChartTemperatureYesterday] = slot[kChartTemperature];
    slot[kChartPressureYesterday] = slot[kChartPressure];
    slot[kChartHumidityYesterday] = slot[kChartHumidity];
    const int16_t t = Sat16(w.temperaturePrevious);
    slot[kChartTemperature] = t;
    slot[kChartInside] = Sat16(w.temperatureInside);
    slot[kChartRainCounter] = Sat16(w.rainCounter);
    slot[kChartRainFiveMinutes] = Sat16(w.rainSinceSample);
    slot[kChartWindDirection] = Sat16(w.windDirection);
    slot[kChartWindSpeed] = Sat16(w.windSpeed);
    slot[kChartGust] = Sat16(w.windGust);
    slot[kChartGustDirection] = Sat16(w.windGustDirection);
    slot[kChartPressure] = Sat16(w.pressure);
    slot[kChartHumidity] = Sat16(w.humidity);
    slot[kChartInsideHumidity] = Sat16(w.humidityInside);
    if (slot[kChartTemperatureLow] == 0 || t < slot[kChartTemperatureLow]) slot[kChartTemperatureLow] = t;
    if (slot[kChartTemperatureHigh] == 0 || t > slot[kChartTemperatureHigh]) slot[kChartTemperatureHigh] = t;
    if (slot[kChartGust] > slot[kChartGustHigh]) slot[kChartGustHigh] = slot[kChartGust];
    // The record's minimum and maximum follow every reading, so "below the
    // day's minimum" is reached only by equalling it.
    if (w.humidity > 0 && w.humidity <= w.humidityMin) slot[kChartHumidityLow] = Sat16(w.humidity);
    if (w.humidity > 0 && w.humidity >= w.humidityMax) slot[kChartHumidityHigh] = Sat16(w.humidity);
    if (PressureInRange(w.pressure)) {
        const int16_t p = Sat16(w.pressure);
        if (!PressureInRange(slot[kChartPressureLow]) || p < slot[kChartPressureLow]) slot[kChartPressureLow] = p;
        if (!PressureInRange(slot[kChartPressureHigh]) || p > slot[kChartPressureHigh]) slot[kChartPressureHigh] = p;
    }
    // Ten minutes back: slots 0 to 2 have no such slot today.
    if (s > 2) {
        const Slot& before = slots_[s - 2];
        const int32_t p = slot[kChartPressure], q = before[kChartPressure];
        if (PressureInRange(p) && PressureInRange(q) && std::abs(p - q) >= 61) {
            alarms.weatherNow = true;
            alarms.events.push_back(6003);
        }
        const int32_t earlier = before[kChartTemperature];
        if (limits.deltaTemperatureF > 0 && earlier != 0 && t != 0 &&
            std::abs(t / 10 - earlier / 10) >= limits.deltaTemperatureF) {
            alarms.weatherNow = true;
            alarms.events.push_back(6003);
        }
    }
    const int32_t degrees = w.temperaturePrevious / 10;
    if (limits.lowTemperatureF != 0 && degrees < limits.lowTemperatureF) alarms.events.push_back(6001);
    if (limits.highTemperatureF != 0 && degrees > limits.highTemperatureF) {
        alarms.weatherNow = true;
        alarms.events.push_back(6002);
    }
    return alarms;
}

std::string WeatherChart::Zero(char group) {
    static const ZeroGroup kGroups[] = {
        {'T', {0, 1, 2, 3, 4}, "Temperature Values Zeroed"},
        {'R', {5, 6, 16, 18, 19}, "Rain Values Zeroed"},
        {'W', {7, 8, 9, 11}, "Wind Values Zeroed"},
        {'P', {12, 13, 14, 15}, "Pressure Values Zeroed"},
    };
    for (const ZeroGroup& g : kGroups) {
        if (g.key != group) continue;
        for (Slot& s : slots_)
            for (size_t v : g.values) s[v] = 0;
        return g.message;
    }
    return {};
}

ChartStatistics StatisticsOf(const WeatherChart& chart, const WeatherRecord& now, bool metric) {
    long tMin = LONG_MAX, tMax = LONG_MIN, tSum = 0, wind = 0, windMax = 0, gust = 0, gustMax = 0;
    int rain = 0, rainRate = 0;
    for (size_t s = 0; s < WeatherChart::kSlots; ++s) {
        const WeatherChart::Slot& v = chart.At(s);
        const long t = metric ? (v[kChartTemperature] - 320) * 5 / 90 : v[kChartTemperature] / 10;
        tMin = std::min(tMin, t), tMax = std::max(tMax, t), tSum += t;
        wind += v[kChartWindSpeed], windMax = std::max<long>(windMax, v[kChartWindSpeed]);
        gust += v[kChartGust], gustMax = std::max<long>(gustMax, v[kChartGust]);
        const int fiveMinutes = std::max<int>(0, v[kChartRainFiveMinutes]);  // a counter reset is no rain
        rain += fiveMinutes;
        rainRate = std::max(rainRate, fiveMinutes);
    }
    const long n = WeatherChart::kSlots;
    const auto kmh = [metric](long mph) { return metric ? mph * 1609 / 1000 : mph; };
    char text[96];
    ChartStatistics out;
    std::snprintf(text, sizeof text, "Temp Min %3ld  Avg %3ld  Max %3ld", tMin, tSum / n, tMax);
    out.temperature = text;
    std::snprintf(text, sizeof text, "Acumulated  %4d", rain);
    out.rainAccumulated = text;
    std::snprintf(text, sizeof text, "Total %d  Rate %df / 5min", now.rainToday, rainRate);
    out.rainTotal = text;
    std::snprintf(text, sizeof text, "Wind  Avg %3ld   Max %3ld", kmh(wind / n), kmh(windMax));
    out.wind = text;
    std::snprintf(text, sizeof text, "Gust  Avg %3ld   Max %3ld", kmh(gust / n), kmh(gustMax));
    out.gust = text;
    std::snprintf(text, sizeof text, "%5ld mb  %5ld in", static_cast<long>(now.pressure / 10),
                  static_cast<long>(now.pressure * 2953L / 10000L));
    out.pressure = text;
    return out;
}

std::array<uint8_t, 32> WeatherLogRecord(const WeatherRecord& w, TimeStamp now) {
    std::array<uint8_t, 32> r{};
    for (int i = 0; i < 4; ++i) r[size_t(i)] = static_cast<uint8_t>(now >> (8 * i));
    const int32_t values[8] = {w.temperaturePrevious, w.rainSinceSample, w.pressure, w.windSpeed,
                               w.windDirection,       w.windGust,        w.windGustDirection, w.humidity};
    for (size_t i = 0; i < 8; ++i) Put16(r.data() + 4 + 2 * i, values[i]);
    return r;
}

}  // namespace velmora
