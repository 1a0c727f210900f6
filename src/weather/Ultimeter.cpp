#include "weather/Ultimeter.h"

#include <array>
#include <cmath>

namespace velmora {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A field with a character that is not hex reads as 0 (the station sends
// "----" for a sensor it does not have).
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

int32_t Direction(int32_t field) { return static_cast<int32_t>((field & 0xFF) * 1.40625); }
bool TemperatureOk(int32_t tenths) { return tenths >= kMinTenthsF && tenths <= kMaxTenthsF; }

// The U-2000's three line forms differ only in where each four-digit field
// sits; one table per form says where.
enum class Field : uint8_t {
    kWind,          // 0.1 km/h
    kPeakWind,      // 0.1 km/h over five minutes: the gust, and the wind until an average comes
    kPeakFromByte,  // the complete record's peak: low byte x 1.40625, then / 16
    kDirection, kOutside, kInside, kRain, kRainToday, kPressure, kHumidity, kInsideHumidity, kMinute,
};

struct FieldAt {
    Field field;
    uint16_t offset;
};

struct LineForm {
    std::string_view head;
    size_t minimumLength;
    std::array<FieldAt, 11> fields;
    size_t count;
};

constexpr LineForm kForms[] = {
    // Data logger mode, "!!": one line every few seconds.
    {"!!", 42,
     {{{Field::kWind, 2}, {Field::kDirection, 6}, {Field::kOutside, 10}, {Field::kRain, 14}, {Field::kPressure, 18},
       {Field::kInside, 22}, {Field::kHumidity, 26}, {Field::kInsideHumidity, 30}, {Field::kMinute, 38}}},
     9},
    // Packet mode, "$ULTW": the form stations also send over the air. The
    // later fields are optional; a line carries as many as it is long.
    {"$U", 25,
     {{{Field::kPeakWind, 5}, {Field::kDirection, 9}, {Field::kOutside, 13}, {Field::kRain, 17},
       {Field::kPressure, 21}, {Field::kHumidity, 37}, {Field::kMinute, 45}, {Field::kRainToday, 49},
       {Field::kWind, 53}}},
     9},
    // Complete record mode, "&CR&": every value the station keeps.
    {"&C", 448,
     {{{Field::kWind, 4}, {Field::kDirection, 8}, {Field::kPeakFromByte, 16}, {Field::kOutside, 24}, {Field::kRain, 28},
       {Field::kPressure, 32}, {Field::kInside, 48}, {Field::kHumidity, 52}, {Field::kInsideHumidity, 56},
       {Field::kMinute, 68}}},
     10},
};

void Apply(WeatherReading& r, Field field, int32_t v, int factor) {
    const auto signedValue = [v] { return v >= 0x8000 ? v - 0x10000 : v; };  // temperatures are signed
    switch (field) {
        case Field::kWind: r.windMph = v / 16; break;
        case Field::kPeakWind: r.gustMph = r.windMph = v / 16; break;
        case Field::kPeakFromByte: r.gustMph = Direction(v) / 16; break;
        case Field::kDirection: r.windDirection = Direction(v); break;
        case Field::kOutside: r.outsideTenthsF = signedValue(); break;
        case Field::kInside: r.insideTenthsF = signedValue(); break;
        case Field::kRain: r.rainCounter = (v & 0x0FFF) * factor; break;
        case Field::kRainToday: r.rainToday = (v & 0x0FFF) * factor; break;
        case Field::kPressure: r.pressureTenthsMbar = v; break;
        case Field::kHumidity: r.humidity = v / 10; break;
        case Field::kInsideHumidity: r.insideHumidity = v / 10; break;
        case Field::kMinute: r.minuteOfDay = v; break;
    }
}

std::optional<WeatherReading> Decode(const LineForm& form, std::string_view line, int factor) {
    if (line.size() < form.minimumLength) return std::nullopt;
    WeatherReading r;
    r.rainCounter = 0;
    for (size_t i = 0; i < form.count; ++i) {
        const FieldAt& f = form.fields[i];
        if (f.offset + 4u > line.size()) continue;
        Apply(r, f.field, Hex(line, f.offset, 4), factor);
    }
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
    for (const LineForm& form : kForms)
        if (line.substr(0, 2) == form.head) return Decode(form, line, factor);
    return std::nullopt;
}

bool IsUltimeterIILine(std::string_view line) { return line.size() == 14 && (line[0] == '#' || line[0] == '*'); }
bool IsU2000Line(std::string_view line) {
    const std::string_view head = line.substr(0, 2);
    return head == "!!" || head == "$U" || head == "&C";
}

}  // namespace velmora
