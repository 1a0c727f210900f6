#pragma once
// Mic-E: latitude, message bits and position flags in the six destination
// characters; longitude, speed, course, symbol and optional telemetry as
// offset-28 bytes in the information field.
#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/DecodeContext.h"

namespace velmora {

// The type byte, three longitude, three speed-and-course bytes, symbol and
// table (the older form has no table byte, so one less).
constexpr size_t kMicEMinimumInfo = 9;

constexpr size_t kTelemetryBufferBytes = 18432;  // 512 records of 36 bytes
constexpr size_t kTelemetryRecordBytes = 36;
constexpr int kMicETelemetryRing = 256;

// The message texts by code 0..7.
const char* MicEMessageText(int code);

// The radio or tracker a Mic-E comment names by its first character and its
// last one or two, as the published list of Mic-E types gives them.
struct MicEDevice {
    const char* name;
    size_t prefixLength;  // 1, or 0 when the first character is the comment's
    size_t suffixLength;
};
// The device of a comment (what follows the nine fixed bytes); empty when
// it names none.
std::optional<MicEDevice> IdentifyMicEDevice(std::string_view comment);

// What the destination says. Letters A-J and P-Y stand for the digits
// 0-9 like the digits themselves; K, L and Z stand for a blanked digit.
struct MicEDestination {
    int latDegrees = 0;
    int latMinutes = 0;
    int latHundredths = 0;
    int blanked = 0;          // digits given as K, L or Z
    int messageCode = 0;      // 0..7
    bool north = false;
    bool longitudeOffset = false;  // +100 degrees
    bool west = false;
};
std::optional<MicEDestination> ParseMicEDestination(std::string_view destination);

// What the information field says.
struct MicEFields {
    bool hasLongitude = false;
    int lonDegrees = 0, lonMinutes = 0, lonHundredths = 0;
    bool hasCourseSpeed = false;
    int16_t course = 0, speedKnots = 0;
    char symbolCode = 0;
    char symbolTable = 0;  // 0: not given (the older form has none)
    int channels = 0;      // telemetry values present
    int16_t channelValue[6] = {};
    int channelSlot[6] = {};  // 0-based analog channel each value belongs in
};
MicEFields ParseMicEInformation(std::string_view info, bool longitudeOffset);
// The altitude extension of current radios: metres above -10,000 in three
// base-91 characters followed by "}", returned in feet.
std::optional<int32_t> MicEAltitudeFeet(std::string_view info);

void DecodeMicE(DecodeContext& ctx, const ReportCall& call);

}  // namespace velmora
