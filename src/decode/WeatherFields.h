#pragma once
// Weather fields by their letters, as stations send them: each letter with
// a value of fixed width ("t077", "b10139"), in any order, any of them left
// out, "..." or blanks for a value the station does not have. Reading stops
// at the first letter that is no weather field: there the station's type or
// its comment begins.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// Values of one weather report; a field that was absent or empty stays
// empty and leaves the stored value alone.
struct WeatherValues {
    std::optional<int16_t> windDirection, windSpeed, windGust, temperature;
    std::optional<int16_t> rainHour, rain24h, rainMidnight, humidity, barometer;
    std::optional<int16_t> luminosity, snowInches, rainCounter;
};

enum class WindSpeedField : uint8_t {
    kLetterS,    // positionless reports: "s" right after "c" is the wind speed
    kElsewhere,  // after a position the wind is "ddd/sss"; a later "s" is snowfall
};

// Reads fields from text[at]; returns where reading stopped.
size_t ReadWeatherFields(std::string_view text, size_t at, WeatherValues& v, WindSpeedField wind);

}  // namespace velmora
