#pragma once
// The Davis station's answer to "LOOP": a block of 18 bytes, 0x01, fifteen
// data bytes and their CRC, found wherever it sits in the bytes that came.
// Fed one chunk at a time, from the serial port or a replay.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "weather/WeatherReading.h"

namespace velmora {

class DavisLoop {
public:
    static constexpr std::string_view kPoll = "LOOP  \r";
    static constexpr size_t kBlock = 18;
    static constexpr size_t kBuffer = 512;

    // barometerOffset: tenths of a millibar added to the pressure.
    // withPressure false: a station without a barometer (its field is junk).
    DavisLoop(int barometerOffset = 0, bool withPressure = true)
        : offset_(barometerOffset), withPressure_(withPressure) {}

    // The reading of the first good block in what has arrived, if any.
    std::optional<WeatherReading> Feed(std::string_view bytes);
    void Clear() { buffer_.clear(); }

private:
    WeatherReading Decode(const uint8_t* block);

    std::vector<uint8_t> buffer_;
    int offset_;
    bool withPressure_;
    std::optional<int32_t> lastGoodOutside_;
};

// CRC-CCITT, polynomial 0x1021, starting at 0.
uint16_t CrcCcitt(const uint8_t* data, size_t n);

}  // namespace velmora
