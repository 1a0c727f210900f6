#pragma once
// Telemetry as stations send it: up to five analog values and up to eight
// bits per report, kept as numbers (decimals and values above 255 survive),
// each record stamped with the time it was received; and the station's
// own definitions of them (names, units, equations, bit sense and labels),
// which it sends as messages addressed to itself.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace velmora {

constexpr size_t kTelemetryRecords = 512;  // kept per station, the oldest dropped first

struct TelemetryRecord {
    TimeStamp time = 0;        // when it was received
    int32_t sequence = -1;     // -1: none ("T#MIC", Mic-E telemetry)
    uint8_t analogCount = 0;   // values sent, 0 to 5
    std::array<double, 5> analog{};
    uint8_t bitCount = 0;      // bits sent, 0 to 8
    uint8_t bits = 0;          // bit 7 is B1, the first sent
};

struct TelemetryDefinitions {
    std::array<std::string, 13> names;  // A1..A5, B1..B8
    std::array<std::string, 13> units;  // units of A1..A5, labels of B1..B8
    // value = a * raw^2 + b * raw + c
    std::array<std::array<double, 3>, 5> equations{{{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}}};
    uint8_t bitSense = 0xFF;  // a bit is "on" when it equals its sense bit
    std::string project;      // the title after BITS.
};

// The analog value of channel i (0..4) after its equation.
inline double ScaledAnalog(const TelemetryDefinitions& d, const TelemetryRecord& r, size_t i) {
    const auto& e = d.equations[i];
    const double raw = r.analog[i];
    return e[0] * raw * raw + e[1] * raw + e[2];
}

}  // namespace velmora
