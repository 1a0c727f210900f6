#pragma once
// The scratch record a type decoder fills for one packet; ApplyReport moves
// it into the station record.
#include <cstdint>

#include "platform/Clock.h"
#include "stations/FixedString.h"

namespace velmora {

// trackTime value meaning "now".
constexpr uint32_t kTrackTimeNow = 0xFFFFFFFFu;

struct DecodedReport {
    uint8_t positionValid = 0;
    uint8_t courseSpeedSet = 0;
    uint8_t textPosition = 0;
    uint8_t altitudeSet = 0;
    uint8_t timeSet = 0;
    uint8_t changed = 0;
    uint8_t destSymbol = 0;
    int16_t systemCode = 0;
    int16_t version = 0;
    uint32_t trackTime = 0;
    int32_t lon = 0, lat = 0;
    int32_t altitudeFeet = 0;
    int16_t ssid = 0;
    int32_t distanceMiles = 0;
    uint32_t minuteOfDay = 0;
    TimeStamp reportTime = 0;
    int16_t timeParts[7] = {};  // year, month, day, hour, minute, second, weekday
    int16_t course = 0, speedKnots = 0;
    FixedString<256> comment;
    FixedString<512> name;
    FixedString<16> latText;
    FixedString<16> lonText;
    FixedString<4> extA, extB;
    int16_t ambiguity = 0;
    char symbolTable = 0;
    char symbolCode = 0;
    char reportType = 0;
    // The comment follows a standard (13-character) compressed position, so
    // its data extensions are read from the comment itself.
    uint8_t compressedComment = 0;
};

}  // namespace velmora
