#pragma once
// The weather line that other weather software (WeeWX, Cumulus, weewx-aprs)
// writes to "wxnow.txt": a time stamp line, then APRS weather fields,
// "272/010g015t069r000p030P020h61b10150" or with "c" and "s" in front.
#include <optional>
#include <string_view>

#include "weather/WeatherReading.h"

namespace velmora {

struct FileWeather {
    WeatherReading reading;  // no rain counter: the file gives totals
    int rainHour = -1, rainDay = -1, rainToday = -1;  // hundredths of an inch; -1 not given
};

// Nothing when the text holds no weather line.
std::optional<FileWeather> ParseWxNow(std::string_view text);

}  // namespace velmora
