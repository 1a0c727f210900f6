#pragma once
// NMEA 0183 sentences: field splitting, the sentence rules, the field
// conversions and the checksum.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "stations/FixedString.h"

namespace velmora {

// Up to 32 fields of at most 15 characters; field 0 is the head ("$GPRMC").
struct NmeaFields {
    std::array<FixedString<16>, 32> field;
    int count = 0;
    std::string_view operator[](int i) const { return i >= 0 && i < count ? field[static_cast<size_t>(i)].View() : std::string_view{}; }
};
NmeaFields SplitNmea(std::string_view line);

// XOR of the characters after "$" up to a "*" third from the end, or to the end.
uint8_t NmeaChecksum(std::string_view line);

// Which kind of sentence gave a fix: the station icon depends on it.
enum class SentenceKind : int8_t {
    kUnknown = -1,   // not a sentence this parser knows
    kRmc = 0,
    kPosition = 1,   // GGA, GLL and the other position sentences
    kProprietary = 2,
    kOther = 3,      // course, heading, waypoint and satellite sentences
};

struct GpsFix {
    bool timeValid = false;
    uint32_t time = 0;  // seconds of the day, on 1904-01-01
    bool positionValid = false;
    int32_t lon = 0, lat = 0;
    bool altitudeValid = false;
    int32_t altitudeFeet = 0;
    bool courseSpeedValid = false;
    int16_t course = 0;
    int16_t speedMph = 0;
    bool moving = false;  // speed above 10 mph: the course can be trusted
    int16_t fixQuality = 0;
    int16_t statusCode = 0;
    bool positionSentence = false;  // counts toward "Percent Good"
    bool goodPosition = false;
    SentenceKind kind = SentenceKind::kUnknown;
    NmeaFields fields;
};

// Empty when the line is not an NMEA sentence (first character "$",
// seventh ",").
std::optional<GpsFix> ParseNmeaSentence(std::string_view line);

// Field conversions, shared with the other GPS inputs.
std::optional<int32_t> NmeaLatitude(std::string_view value, std::string_view hemisphere);
std::optional<int32_t> NmeaLongitude(std::string_view value, std::string_view hemisphere);
std::optional<uint32_t> NmeaTime(std::string_view value);
int32_t NmeaAltitudeFeet(std::string_view value, std::string_view unit);
int16_t NmeaSpeedMph(std::string_view value, std::string_view unit);

}  // namespace velmora
