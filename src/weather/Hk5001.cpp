#include "weather/Hk5001.h"

#include "weather/DecimalText.h"

namespace velmora {
namespace {

constexpr double kTenthsMbarPerHundredthInHg = 3.3863867253640363;

// "W" and "w": the speed in characters 2-4, "K" in the fifth for km/h, the
// direction from the sixth.
bool Wind(std::string_view line, int& mph, int& direction) {
    const auto speed = IntegerAt(line.substr(0, 4), 1);
    if (!speed || *speed < 0) return false;
    mph = line.size() > 4 && line[4] == 'K' ? *speed * 10 / 16 : *speed;
    direction = IntegerAt(line, 5).value_or(0);
    return true;
}

}  // namespace

bool DecodeHk5001(std::string_view line, WeatherState& state, TimeStamp now) {
    if (line.size() < 2) return false;
    const char tag = line[0];
    if (tag == 'W' || tag == 'w') {
        int mph = 0, direction = 0;
        if (!Wind(line, mph, direction)) return false;
        if (tag == 'W') state.SetGust(mph, direction, now);
        else state.SetWind(mph, direction, now);
        return true;
    }
    const auto value = DecimalAt(line, 1);
    if (!value) return false;
    switch (tag) {
        case 'B': state.SetPressure(Rounded(*value * kTenthsMbarPerHundredthInHg), now); return true;
        case 'H': state.SetHumidity(Rounded(*value), now); return true;
        case 'R': state.SetRainCounter(Rounded(*value), now); return true;
        case 'T': state.SetOutsideTemperature(Rounded(*value * 10), now); return true;
        case 'h': state.SetInsideHumidity(Rounded(*value), now); return true;
        // Whole degrees F like "T", so that inside and outside compare.
        case 't': state.SetInsideTemperature(Rounded(*value * 10), now); return true;
        default: return false;
    }
}

}  // namespace velmora
