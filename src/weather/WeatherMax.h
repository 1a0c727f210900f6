#pragma once
// The WeatherMAX answers a "DRTDA" poll with fourteen short lines, one
// value each; the reading is taken when the fourteenth arrives and every
// line looks like a number.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "weather/WeatherReading.h"

namespace velmora {

class WeatherMax {
public:
    static constexpr std::string_view kPoll = "DRTDA\r";
    static constexpr size_t kLines = 14;

    // A poll went out: the next answer starts over.
    void Polled();
    std::optional<WeatherReading> Line(std::string_view line);

private:
    std::array<std::string, kLines> lines_;
    size_t count_ = 0;
};

}  // namespace velmora
