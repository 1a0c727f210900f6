#include "weather/WxNowFile.h"

namespace velmora {
namespace {

struct FieldWidth {
    char letter;
    int width;
};
constexpr FieldWidth kFields[] = {{'c', 3}, {'s', 3}, {'g', 3}, {'t', 3}, {'r', 3}, {'p', 3},
                                  {'P', 3}, {'h', 2}, {'b', 5}, {'L', 3}, {'l', 3}, {'#', 3}};

int WidthOf(char letter) {
    for (const FieldWidth& f : kFields)
        if (f.letter == letter) return f.width;
    return 0;
}

// The field's digits; nothing for "..." or blanks, which mean no sensor.
std::optional<int> Digits(std::string_view s) {
    bool negative = false;
    if (!s.empty() && s[0] == '-') negative = true, s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

bool IsDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

void Apply(FileWeather& w, char letter, int v) {
    WeatherReading& r = w.reading;
    switch (letter) {
        case 'c': r.windDirection = v; break;
        case 's': r.windMph = v; break;
        case 'g': r.gustMph = v; break;
        case 't': r.outsideTenthsF = v * 10; break;
        case 'r': w.rainHour = v; break;
        case 'p': w.rainDay = v; break;
        case 'P': w.rainToday = v; break;
        case 'h': r.humidity = v == 0 ? 100 : v; break;  // "h00" is 100 %
        case 'b': r.pressureTenthsMbar = v; break;
        default: break;  // luminosity and the like: not kept
    }
}

std::optional<FileWeather> ParseLine(std::string_view line) {
    FileWeather w;
    w.reading.outsideTenthsF = kNoTemperature;
    w.reading.windMph = -1;
    bool any = false;
    // The position-report form starts with direction/speed.
    if (line.size() >= 7 && line[3] == '/' && IsDigits(line.substr(0, 3)) && IsDigits(line.substr(4, 3))) {
        Apply(w, 'c', *Digits(line.substr(0, 3)));
        Apply(w, 's', *Digits(line.substr(4, 3)));
        line.remove_prefix(7);
        any = true;
    }
    while (!line.empty()) {
        const int width = WidthOf(line[0]);
        // Temperatures below -9 F take the sign in place of a digit; below -99 no station goes.
        if (width == 0 || line.size() < size_t(width) + 1) break;
        const char letter = line[0];
        const std::string_view field = line.substr(1, size_t(width));
        if (const auto v = Digits(field)) Apply(w, letter, *v), any = true;
        line.remove_prefix(size_t(width) + 1);
    }
    if (!any) return std::nullopt;
    return w;
}

}  // namespace

std::optional<FileWeather> ParseWxNow(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (auto w = ParseLine(line)) return w;
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return std::nullopt;
}

}  // namespace velmora
