#include "decode/WeatherFields.h"

namespace velmora {
namespace {

struct Field {
    char letter;
    uint8_t width;
    bool signedValue;
};

// Every weather field letter and the width of its value.
constexpr Field kFields[] = {
    {'c', 3, false}, {'s', 3, false}, {'g', 3, false}, {'t', 3, true},  {'r', 3, false}, {'p', 3, false},
    {'P', 3, false}, {'h', 2, false}, {'b', 5, false}, {'L', 3, false}, {'l', 3, false}, {'#', 3, false},
};

const Field* FieldOf(char c) {
    for (const Field& f : kFields)
        if (f.letter == c) return &f;
    return nullptr;
}

enum class Parsed : uint8_t { kValue, kMissing, kNotAField };

// A value of exactly its width: digits (with a leading "-" where signed),
// or dots and blanks for "no value".
Parsed ParseValue(std::string_view v, bool signedValue, int32_t& out) {
    bool missing = true, digits = true;
    for (size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (c != '.' && c != ' ') missing = false;
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(signedValue && i == 0 && c == '-')) digits = false;
    }
    if (missing) return Parsed::kMissing;
    if (!digits || (v[0] == '-' && v.size() == 1)) return Parsed::kNotAField;
    int32_t n = 0;
    for (char c : v)
        if (c >= '0' && c <= '9') n = n * 10 + (c - '0');
    out = v[0] == '-' ? -n : n;
    return Parsed::kValue;
}

int16_t Clamp16(int32_t v) { return static_cast<int16_t>(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

// Older stations send the barometer in three or four digits: three are
// whole millibars, and a value below 800 lost its leading "1".
size_t ShortBarometer(std::string_view text, size_t at, int32_t& out) {
    size_t n = 0;
    int32_t v = 0;
    while (at + n < text.size() && n < 4 && text[at + n] >= '0' && text[at + n] <= '9')
        v = v * 10 + (text[at + n++] - '0');
    if (n < 3) return 0;
    if (n == 3) v *= 10;
    if (v < 800) v += 10000;
    out = v;
    return n;
}

}  // namespace

size_t ReadWeatherFields(std::string_view text, size_t at, WeatherValues& v, WindSpeedField wind) {
    bool windSpeedSeen = false;
    while (at < text.size()) {
        // An altitude among the fields is read with the comment's others.
        if (text.substr(at, 3) == "/A=" && at + 9 <= text.size()) {
            at += 9;
            continue;
        }
        const Field* f = FieldOf(text[at]);
        if (!f) break;
        int32_t n = 0;
        const Parsed p = at + 1 + f->width <= text.size()
                             ? ParseValue(text.substr(at + 1, f->width), f->signedValue, n)
                             : Parsed::kNotAField;
        if (p == Parsed::kNotAField) {
            const size_t digits = f->letter == 'b' ? ShortBarometer(text, at + 1, n) : 0;
            if (digits == 0) break;
            v.barometer = Clamp16(n);
            at += 1 + digits;
            continue;
        }
        const std::optional<int16_t> value =
            p == Parsed::kValue ? std::optional<int16_t>(Clamp16(n)) : std::nullopt;
        switch (f->letter) {
            case 'c': v.windDirection = value; break;
            case 's':
                if (wind == WindSpeedField::kLetterS && !windSpeedSeen) v.windSpeed = value;
                else v.snowInches = value;
                break;
            case 'g': v.windGust = value; break;
            case 't': v.temperature = value; break;
            case 'r': v.rainHour = value; break;
            case 'p': v.rain24h = value; break;
            case 'P': v.rainMidnight = value; break;
            // "h00" is 100 % in the protocol.
            case 'h': v.humidity = value && *value == 0 ? std::optional<int16_t>(100) : value; break;
            case 'b': v.barometer = value; break;
            case 'L': v.luminosity = value; break;
            case 'l': v.luminosity = value ? std::optional<int16_t>(Clamp16(*value + 1000)) : value; break;
            case '#': v.rainCounter = value; break;
            default: break;
        }
        if (f->letter == 's') windSpeedSeen = true;
        at += 1 + f->width;
        // Some stations send the barometer with a sixth digit ("b100490"):
        // the first five are tenths of a millibar, the rest is dropped.
        while (f->letter == 'b' && at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    }
    return at;
}

}  // namespace velmora
