#pragma once
// Heathkit 5001 / Questech: one value per line, its first character says
// which ("T72", "w 5K 270"). These lines change the record directly.
#include <string_view>

#include "weather/WeatherState.h"

namespace velmora {

// False for a line that is not one of the station's.
bool DecodeHk5001(std::string_view line, WeatherState& state, TimeStamp now);

}  // namespace velmora
