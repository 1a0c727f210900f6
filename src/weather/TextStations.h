#pragma once
// Stations that print their readings as text columns or labelled lines:
// the Texas Weather Instruments station and the Capricorn II.
#include <optional>
#include <string_view>

#include "weather/WeatherReading.h"
#include "weather/WeatherState.h"

namespace velmora {

// A Texas line has ":" as its third character and its values in fixed
// columns. Nothing for any other line.
std::optional<WeatherReading> DecodeTexas(std::string_view line);

// A Capricorn II line: a label ("OUTSIDE TEMP") and up to three tokens,
// value, a second token and the unit. Changes the record directly; false
// for a line with no known label or no value.
bool DecodeCapricorn(std::string_view line, WeatherState& state, TimeStamp now);

}  // namespace velmora
