#pragma once
// A day of home weather for the chart tests and pictures: a cool night, a
// warm afternoon, a shower from 14:00 to 15:30 with its gusts, pressure
// falling ahead of it and rising after. Samples every five minutes through
// the same state and chart the program uses.
#include <cmath>
#include <vector>

#include "weather/WeatherChart.h"
#include "weather/WeatherState.h"

namespace velmora::test {

inline WeatherChart WeatherDay(int untilSlot = 287) {
    WeatherChart chart;
    WeatherState state;
    int rain = 1200;
    for (int slot = 0; slot <= untilSlot; ++slot) {
        const double hour = slot / 12.0;
        WeatherReading r;
        r.outsideTenthsF = static_cast<int>(520 + 140 * std::sin((hour - 9) * M_PI / 12));
        r.insideTenthsF = 690;
        const bool shower = hour >= 14 && hour < 15.5;
        if (shower) rain += slot % 2 ? 3 : 2;
        r.rainCounter = rain;
        r.windMph = static_cast<int>(6 + 4 * std::sin(hour / 3) + (shower ? 9 : 0));
        r.gustMph = r.windMph + (shower ? 12 : 5);
        r.windDirection = static_cast<int>(200 + 40 * std::sin(hour / 4) + (hour > 15 ? 90 : 0)) % 360;
        r.pressureTenthsMbar = static_cast<int>(10160 - 6 * std::min(hour, 14.5) * 10 / 10 + (hour > 15 ? (hour - 15) * 12 : 0));
        r.humidity = static_cast<int>(70 - 20 * std::sin((hour - 9) * M_PI / 12) + (shower ? 25 : 0));
        if (r.humidity > 100) r.humidity = 100;
        r.insideHumidity = 40;
        state.Store(r, 3'000'000'000u + static_cast<TimeStamp>(slot) * 300);
        (void)chart.Sample(state.Record(), slot / 12, slot % 12 * 5, {});
        state.SampleTaken();
    }
    return chart;
}

}  // namespace velmora::test
