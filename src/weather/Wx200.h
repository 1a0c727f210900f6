#pragma once
// The Radio Shack WX-200 streams groups of BCD values, each with a tag
// byte; a group is used only when the whole of it has arrived. The values
// are kept between groups, so a reading carries the latest of each.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "weather/WeatherReading.h"

namespace velmora {

class Wx200 {
public:
    static constexpr size_t kBuffer = 512;
    static constexpr size_t kScanAbove = 140;

    explicit Wx200(int barometerOffset = 0) : offset_(barometerOffset) {}
    std::optional<WeatherReading> Feed(std::string_view bytes);

private:
    bool Group(const uint8_t* g, uint8_t tag);

    std::vector<uint8_t> buffer_;
    int offset_;
    WeatherReading current_ = Empty();
    static WeatherReading Empty();
};

}  // namespace velmora
