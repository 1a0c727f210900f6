#include "weather/TextStations.h"

#include <array>

#include "weather/CompassPoints.h"
#include "weather/DecimalText.h"

namespace velmora {
namespace {

constexpr double kMbarPerInHg = 33.863867253640365;

enum class Label : uint8_t { kInsideTemp, kOutsideTemp, kWindDirection, kWindSpeed, kHighWind, kBarometer, kHumidity };

struct LabelText {
    std::string_view text;
    Label label;
};

// Longer labels first: "HIGH WIND SPEED" must not be read as "WIND SPEED".
constexpr LabelText kLabels[] = {
    {"HIGH WIND SPEED", Label::kHighWind}, {"WIND DIRECTION", Label::kWindDirection},
    {"OUTSIDE TEMP", Label::kOutsideTemp}, {"INSIDE TEMP", Label::kInsideTemp},
    {"WIND SPEED", Label::kWindSpeed},     {"BAROMETER", Label::kBarometer},
    {"HUMIDITY", Label::kHumidity},
};

std::array<std::string_view, 3> Tokens(std::string_view rest) {
    std::array<std::string_view, 3> tokens{};
    for (auto& token : tokens) {
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == ':' || rest.front() == '\t')) rest.remove_prefix(1);
        size_t n = 0;
        while (n < rest.size() && rest[n] != ' ' && rest[n] != '\t') ++n;
        token = rest.substr(0, std::min<size_t>(n, 31));
        rest.remove_prefix(n);
    }
    return tokens;
}

int TenthsF(double value, std::string_view unit) {
    return !unit.empty() && (unit[0] == 'C' || unit[0] == 'c') ? Rounded(value * 18 + 320) : Rounded(value * 10);
}

}  // namespace

std::optional<WeatherReading> DecodeTexas(std::string_view line) {
    if (line.size() < 19 || line[2] != ':') return std::nullopt;
    WeatherReading r;
    r.windDirection = CompassPointDegrees(line.substr(15, 3));
    r.windMph = IntegerAt(line, 18).value_or(0) / 16;
    const auto inside = DecimalAt(line, 29), outside = DecimalAt(line, 35);
    if (!outside) return std::nullopt;
    // Whole degrees F with a fraction, kept in tenths like every other station.
    r.insideTenthsF = inside ? Rounded(*inside * 10) : 0;
    r.outsideTenthsF = Rounded(*outside * 10);
    if (const auto inches = DecimalAt(line, 45)) r.pressureTenthsMbar = Rounded(*inches * 10 * kMbarPerInHg);
    if (const auto rain = DecimalAt(line, 52)) r.rainCounter = Rounded(*rain * 100);
    return r;
}

bool DecodeCapricorn(std::string_view line, WeatherState& state, TimeStamp now) {
    for (const LabelText& l : kLabels) {
        if (line.substr(0, l.text.size()) != l.text) continue;
        const auto tokens = Tokens(line.substr(l.text.size()));
        const std::string_view unit = !tokens[2].empty() ? tokens[2] : tokens[1];
        const auto value = DecimalAt(tokens[0], 0);
        const int windDirection = state.Record().windDirection;
        if (l.label == Label::kWindDirection) {
            state.SetWind(state.Record().windSpeed, CompassPointDegrees(tokens[0]), now);
            return true;
        }
        if (!value) return false;
        switch (l.label) {
            case Label::kInsideTemp: state.SetInsideTemperature(TenthsF(*value, unit), now); break;
            case Label::kOutsideTemp: state.SetOutsideTemperature(TenthsF(*value, unit), now); break;
            case Label::kWindSpeed: {
                const bool kmh = !unit.empty() && (unit[0] == 'K' || unit[0] == 'k');
                state.SetWind(kmh ? Rounded(*value / 1.609) : Rounded(*value), windDirection, now);
                break;
            }
            case Label::kHighWind: state.SetGust(Rounded(*value), windDirection, now); break;
            case Label::kBarometer: state.SetPressure(static_cast<int>(*value / 0.02953 * 10), now); break;
            case Label::kHumidity: state.SetHumidity(Rounded(*value), now); break;
            case Label::kWindDirection: break;
        }
        return true;
    }
    return false;
}

}  // namespace velmora
