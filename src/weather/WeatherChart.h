#pragma once
// The 24-hour chart of the home station: one slot per five minutes of the
// local day, each 32 signed 16-bit values, kept across restarts in
// "WXHist.bin" (the values little-endian, no header). Each sample also
// keeps the slot's extremes over the days and yesterday's value.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "weather/WeatherRecord.h"

namespace velmora {

// What each value of a slot holds.
enum ChartValue : size_t {
    kChartTemperature = 0, kChartTemperatureLow = 1, kChartTemperatureHigh = 2, kChartTemperatureYesterday = 3,
    kChartInside = 4, kChartRainCounter = 5, kChartRainFiveMinutes = 6, kChartWindSpeed = 7, kChartWindDirection = 8,
    kChartGust = 9, kChartGustDirection = 10, kChartGustHigh = 11, kChartPressure = 12, kChartPressureLow = 13,
    kChartPressureHigh = 14, kChartPressureYesterday = 15, kChartHumidity = 16, kChartInsideHumidity = 17,
    kChartHumidityLow = 18, kChartHumidityHigh = 19, kChartHumidityYesterday = 20,
};

// What a sample raised: the report out of turn and the events to notify.
struct SampleAlarms {
    bool weatherNow = false;
    std::vector<int> events;  // 6001 low, 6002 high, 6003 rapid change
};

class WeatherChart {
public:
    static constexpr size_t kSlots = 288, kValues = 32;
    static constexpr size_t kFileBytes = kSlots * kValues * 2;
    using Slot = std::array<int16_t, kValues>;

    static size_t SlotOf(int hour, int minute) { return static_cast<size_t>(hour * 12 + minute / 5) % kSlots; }
    const Slot& At(size_t slot) const { return slots_[slot % kSlots]; }

    // The file's bytes; what a short file lacks stays zero.
    void Load(std::span<const uint8_t> bytes);
    std::vector<uint8_t> Bytes() const;

    // The five-minute sample at hour:minute.
    SampleAlarms Sample(const WeatherRecord& w, int hour, int minute, const WeatherLimits& limits);

    // "Z" then a letter: one group of values cleared in every slot, and the
    // confirmation to show (empty for a letter that clears nothing).
    std::string Zero(char group);

private:
    std::array<Slot, kSlots> slots_{};
};

// The chart panels' statistics lines over all 288 slots.
struct ChartStatistics {
    std::string temperature, rainAccumulated, rainTotal, wind, gust, pressure;
};
ChartStatistics StatisticsOf(const WeatherChart& chart, const WeatherRecord& now, bool metric);

// One 32-byte record of the local weather log.
std::array<uint8_t, 32> WeatherLogRecord(const WeatherRecord& w, TimeStamp now);

}  // namespace velmora
