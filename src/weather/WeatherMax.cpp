#include "weather/WeatherMax.h"

#include "weather/DecimalText.h"

namespace velmora {
namespace {

bool Numeric(std::string_view line) {
    for (char c : line)
        if (!(c == ' ' || c == '+' || c == '-' || c == ':' || (c >= '0' && c <= '9'))) return false;
    return true;
}

int32_t TenthsFFromTenthsC(int tenthsC) { return tenthsC * 9 / 5 + 320; }

}  // namespace

void WeatherMax::Polled() {
    for (std::string& l : lines_) l.clear();
    count_ = 0;
}

std::optional<WeatherReading> WeatherMax::Line(std::string_view line) {
    if (line == "INVALID COMMAND!  BUFFERS CLEARED") {
        count_ = 0;
        return std::nullopt;
    }
    ++count_;
    if (count_ > kLines) return std::nullopt;
    lines_[count_ - 1] = std::string(line.substr(0, 7));
    if (count_ != kLines) return std::nullopt;
    for (const std::string& l : lines_)
        if (!Numeric(l)) return std::nullopt;
    const auto value = [this](size_t n) { return IntegerAt(lines_[n - 1], 0).value_or(0); };
    WeatherReading r;
    r.windMph = value(1);
    r.windDirection = Rounded(IntegerAt(lines_[0], 2).value_or(0) % 16 * 22.5);
    r.insideTenthsF = TenthsFFromTenthsC(value(3));
    r.outsideTenthsF = TenthsFFromTenthsC(value(4));
    r.pressureTenthsMbar = Rounded(value(5) / 0.2953);
    r.insideHumidity = value(7);
    r.humidity = value(8);
    r.rainCounter = value(10);
    return r;
}

}  // namespace velmora
