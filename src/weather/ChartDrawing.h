#pragma once
// The weather chart window's picture: four panels (temperature, rain, wind,
// pressure) over the 288 five-minute slots of a day, drawn on any surface so
// the desktop and the console draw the same chart. It shows the home
// station's chart or a received station's day log.
#include <array>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "stations/StationRecord.h"
#include "weather/WeatherChart.h"

namespace velmora {

struct ChartSeries {
    std::string title;
    static constexpr size_t kSlots = WeatherChart::kSlots;
    // Tenths of a degree F, hundredths of an inch, mph, degrees, tenths of a millibar.
    std::array<int32_t, kSlots> temperature{}, temperatureYesterday{}, rain{}, wind{}, gust{}, direction{},
        pressure{}, pressureYesterday{};
    std::array<bool, kSlots> present{};
    std::array<std::vector<std::string>, 4> statistics;  // each panel's lines under its title
    size_t nowSlot = 0;
};

ChartSeries SeriesFromChart(const WeatherChart& chart, const WeatherRecord& now, size_t nowSlot, bool metric);
// Nothing when the station has no day log.
bool SeriesFromStation(const StationRecord& station, size_t nowSlot, ChartSeries& out);

void DrawWeatherChart(Surface& surface, const ChartSeries& series, bool metric);

}  // namespace velmora
