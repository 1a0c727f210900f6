#pragma once
// Peet Bros Ultimeter II ("#" and "*" lines) and U-2000 ("!!", "$ULTW" and
// "&C" lines). Fields are ASCII hexadecimal; a field with a non-hex
// character reads as 0.
#include <optional>
#include <string_view>

#include "weather/WeatherReading.h"

namespace velmora {

// rainFactor: 10 for a 0.10 inch gauge, 1 for a 0.01 inch gauge.
std::optional<WeatherReading> DecodeUltimeterII(std::string_view line, int rainFactor);
std::optional<WeatherReading> DecodeU2000(std::string_view line, int rainFactor);

// What auto-detection looks for.
bool IsUltimeterIILine(std::string_view line);
bool IsU2000Line(std::string_view line);

// Temperatures outside this range (tenths of a degree F) reject the line.
constexpr int32_t kMinTenthsF = -559;
constexpr int32_t kMaxTenthsF = 1489;

}  // namespace velmora
