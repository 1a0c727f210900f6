#pragma once
// The kinds of home weather station: what the settings dialog lists, the
// short name the display shows, whether the port delivers lines or raw
// bytes, and the poll the station needs.
#include <span>
#include <string_view>

namespace velmora {

enum class StationInput : unsigned char { kNone, kLines, kBytes, kFile };

struct WeatherStationType {
    int code;
    std::string_view dialogEntry;
    std::string_view shortName;
    StationInput input;
    std::string_view poll;  // sent when the port opens (and each minute for some)
};

// Type 12 reads the weather line another program writes to a file.
constexpr int kWeatherTypeManual = 1;
constexpr int kWeatherTypeDavis = 5;
constexpr int kWeatherTypeWeatherMax = 7;
constexpr int kWeatherTypeDavisNoPressure = 11;
constexpr int kWeatherTypeFile = 12;

std::span<const WeatherStationType> WeatherStationTypes();
// The entry of a code; the "None" entry for an unknown one.
const WeatherStationType& WeatherStationTypeOf(int code);
// Whether the weather port hands raw bytes to this type (else lines).
inline bool TakesBytes(int code) { return WeatherStationTypeOf(code).input == StationInput::kBytes; }

}  // namespace velmora
