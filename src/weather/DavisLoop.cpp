#include "weather/DavisLoop.h"

namespace velmora {
namespace {

int32_t Signed16(const uint8_t* p) { return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8)); }
int32_t Unsigned16(const uint8_t* p) { return p[0] | p[1] << 8; }

}  // namespace

uint16_t CrcCcitt(const uint8_t* data, size_t n) {
    uint16_t crc = 0;
    for (size_t i = 0; i < n; ++i) {
        crc = static_cast<uint16_t>(crc ^ data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>(crc & 0x8000 ? crc << 1 ^ 0x1021 : crc << 1);
    }
    return crc;
}

std::optional<WeatherReading> DavisLoop::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (buffer_.size() >= kBuffer) buffer_.clear();
        buffer_.push_back(static_cast<uint8_t>(c));
    }
    if (buffer_.size() < kBlock) return std::nullopt;
    for (size_t i = 0; i + kBlock <= buffer_.size(); ++i) {
        const uint8_t* b = buffer_.data() + i;
        if (b[0] != 0x01) continue;
        const uint16_t sent = static_cast<uint16_t>(b[16] << 8 | b[17]);
        if (CrcCcitt(b + 1, 15) != sent) continue;
        const WeatherReading r = Decode(b);
        buffer_.clear();
        return r;
    }
    return std::nullopt;
}

WeatherReading DavisLoop::Decode(const uint8_t* b) {
    WeatherReading r;
    r.insideTenthsF = Signed16(b + 1);
    // The station sends a huge value for a sensor it lost; keep the last
    // good one (none yet: the reading has no outside temperature).
    const int32_t outside = Signed16(b + 3);
    if (outside <= 2000) lastGoodOutside_ = outside;
    r.outsideTenthsF = lastGoodOutside_.value_or(kNoTemperature);
    r.windMph = b[5];
    const int32_t direction = Unsigned16(b + 6);
    r.windDirection = direction >= 0 && direction <= 359 ? direction : 0;
    const int32_t thousandthsInHg = Unsigned16(b + 8);
    r.pressureTenthsMbar = withPressure_ && thousandthsInHg >= 8000 ? offset_ + static_cast<int32_t>(thousandthsInHg / 2.953) : 0;
    r.insideHumidity = b[10];
    r.humidity = b[11];
    r.rainCounter = Unsigned16(b + 12);
    return r;
}

}  // namespace velmora
