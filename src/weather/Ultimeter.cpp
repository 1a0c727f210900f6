#include "weather/Ultimeter.h"

#include <cmath>

namespace velmora {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int32_t Hex(std::string_view line, size_t at, size_t digits) {
    if (at + digits > line.size()) return 0;
    int32_t v = 0;
    for (size_t i = at; i < at + digits; ++i) {
        const int d = HexDigit(line[i]);
        if (d < 0) return 0;
        v = v * 16 + d;
    }
    return v;
}

// Temperatures are sent as signed 16-bit values.
int32_t SignedHex4(std::string_view line, size_t at) {
    const int32_t v = Hex(line, at, 4);
    return v >= 0x8000 ? v - 0x10000 : v;
}

int32_t Direction(int32_t field) { return static_cast<int32_t>((field & 0xFF) * 1.40625); }
int32_t Rain(int32_t field, int factor) { return (field & 0x0FFF) * factor; }
bool TemperatureOk(int32_t tenths) { return tenths >= kMinTenthsF && tenths <= kMaxTenthsF; }

std::optional<WeatherReading> DataLogger(std::string_view line, int factor) {
    if (line.size() < 42) return std::nullopt;
    WeatherReading r;
    r.windMph = Hex(line, 2, 4) / 16;
    r.windDirection = Direction(Hex(line, 6, 4));
    r.outsideTenthsF = SignedHex4(line, 10);
    r.rainCounter = Rain(Hex(line, 14, 4), factor);
    r.pressureTenthsMbar = Hex(line, 18, 4);
    r.insideTenthsF = SignedHex4(line, 22);
    r.humidity = Hex(line, 26, 4) / 10;
    r.insideHumidity = Hex(line, 30, 4) / 10;
    r.minuteOfDay = Hex(line, 38, 4);
    if (!TemperatureOk(r.outsideTenthsF)) return std::nullopt;
    return r;
}

std::optional<WeatherReading> PacketForm(std::string_view line, int factor) {
    if (line.size() < 25) return std::nullopt;  // up to the pressure field
    WeatherReading r;
    const int32_t peak = Hex(line, 5, 4);
    r.gustMph = peak / 16;
    // Lines long enough carry the one-minute wind average after the rain of today.
    r.windMph = line.size() >= 57 ? Hex(line, 53, 4) / 16 : peak / 16;
    r.windDirection = Direction(Hex(line, 9, 4));
    r.outsideTenthsF = SignedHex4(line, 13);
    r.rainCounter = Rain(Hex(line, 17, 4), factor);
    r.pressureTenthsMbar = Hex(line, 21, 4);
    r.humidity = Hex(line, 37, 4) / 10;
    if (line.size() >= 49) r.minuteOfDay = Hex(line, 45, 4);
    // The rain field at 17 is the long-term total; today's count comes after the time.
    if (line.size() >= 53) r.rainToday = Rain(Hex(line, 49, 4), factor);
    if (!TemperatureOk(r.outsideTenthsF)) return std::nullopt;
    return r;
}

std::optional<WeatherReading> CompleteRecord(std::string_view line, int factor) {
    if (line.size() < 448) return std::nullopt;
    WeatherReading r;
    r.windMph = Hex(line, 4, 4) / 16;
    r.windDirection = Direction(Hex(line, 8, 4));
    r.gustMph = static_cast<int32_t>((Hex(line, 16, 4) & 0xFF) * 1.40625) / 16;
    r.outsideTenthsF = SignedHex4(line, 24);
    r.rainCounter = Rain(Hex(line, 28, 4), factor);
    r.pressureTenthsMbar = Hex(line, 32, 4);
    r.insideTenthsF = SignedHex4(line, 48);
    r.humidity = Hex(line, 52, 4) / 10;
    r.insideHumidity = Hex(line, 56, 4) / 10;
    r.minuteOfDay = Hex(line, 68, 4);
    if (!TemperatureOk(r.outsideTenthsF)) return std::nullopt;
    return r;
}

}  // namespace

std::optional<WeatherReading> DecodeUltimeterII(std::string_view line, int factor) {
    if (line.size() != 14 || (line[0] != '#' && line[0] != '*')) return std::nullopt;
    WeatherReading r;
    r.windDirection = static_cast<int32_t>(std::lround(Hex(line, 1, 1) * 22.5));
    const int32_t speed = Hex(line, 2, 2);
    r.windMph = line[0] == '#' ? speed * 10 / 16 : speed;
    r.outsideTenthsF = 10 * (Hex(line, 4, 2) - 56);
    if (!TemperatureOk(r.outsideTenthsF)) return std::nullopt;
    r.rainCounter = Hex(line, 10, 4) * factor;
    return r;
}

std::optional<WeatherReading> DecodeU2000(std::string_view line, int factor) {
    const std::string_view head = line.substr(0, 2);
    if (head == "!!") return DataLogger(line, factor);
    if (head == "$U") return PacketForm(line, factor);
    if (head == "&C") return CompleteRecord(line, factor);
    return std::nullopt;
}

}  // namespace velmora
