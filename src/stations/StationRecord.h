#pragma once
// One station, object or item heard since start-up (or since Clear Stations).
// Windows, maps and messaging refer to records by their 16-bit index.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "stations/FixedString.h"
#include "stations/FourCC.h"
#include "stations/Telemetry.h"
#include "stations/SourceKind.h"

namespace velmora {

using Callsign = FixedString<10>;  // at most 9 characters with the SSID

struct TrackPoint {
    int32_t lat = 0;
    int32_t lon = 0;
    int32_t altitudeFeet = 0;
    uint32_t time = 0;
    int16_t course = 0;
    int16_t speed = 0;
};

// One five-minute slot of the weather day log: temperature, rainHour,
// rain24h, rainHour, rainMidnight, rain24h, windSpeed, windDirection,
// windGust, (unset), barometer, humidity.
using WeatherSlot = std::array<int16_t, 12>;
constexpr size_t kWeatherSlots = 288;

enum StationState : int8_t {
    kStateFree = 0,
    kStateInUse = 1,
    kStateLocked = 2,  // LOCK in the station flags file
};

// The record owns a few separately allocated buffers, released by Clear
// Stations. The track and the weather day log are typed members; the
// others stay byte buffers until the subsystems that fill them exist.
enum OwnedBuffer : int {
    kOwnedFirst = 0,
    kOwnedSecond = 1,
    kOwnedTrack = 2,
    kOwnedFourth = 3,
    kOwnedTelemetry = 4,
    kOwnedSixth = 5,
    kOwnedSeventh = 6,
    kOwnedBufferCount = 7,
};

struct StationRecord {
    Callsign callsign;
    int8_t state = kStateFree;
    FixedString<4> codeA;   // two-character code from the software trailer
    FixedString<4> codeB;   // three-character code
    FixedString<12> codeC;  // eight-character code
    int8_t drawn = 0;
    FourCC software = 0;
    int16_t systemCode = 0;
    int16_t version = 0;
    char symbolTable = 0;
    char symbolCode = 0;
    int8_t specialIcon = 0;
    char reportType = 0;
    SourceKind sourceKind = SourceKind::kNone;
    uint8_t addresseeMode = 0;
    uint8_t viaInternet = 0;
    uint8_t pendingMessages = 0;
    char objectState = 0;
    uint8_t track = 0;
    uint8_t flagged = 0;  // 1 from the flags file, 'F' from auto-flagging
    std::array<std::vector<uint8_t>, kOwnedBufferCount> owned;
    std::vector<TelemetryRecord> telemetry;  // newest last, at most kTelemetryRecords
    // Sent once and shared by every copy of the record; null until sent.
    std::shared_ptr<const TelemetryDefinitions> telemetryDefinitions;
    char daoDatum = 0;        // the datum letter of a "!DAO!" that refined the position
    uint8_t killed = 0;       // an object or item its owner killed
    FixedString<24> device;   // the radio or software a Mic-E packet names
    std::vector<TrackPoint> trackPoints;  // allocated by CreateTrack, trackCapacity points
    std::vector<WeatherSlot> weatherDay;  // 288 slots once weather was logged
    std::vector<uint8_t> plusBlock;
    std::vector<uint8_t> listBlock;
    double trackMiles = 0;
    int32_t packets = 0;
    int32_t lon = 0;
    int32_t lat = 0;
    int32_t altitudeFeet = 0;
    int32_t distanceMiles = 0;
    int32_t drLon = 0, drLat = 0;
    int32_t drBaseLon = 0, drBaseLat = 0;
    int16_t ambiguity = 0;
    int16_t trackColour = 0;
    int16_t trackCount = 0;
    int16_t trackCapacity = 0;
    int16_t weatherSlot = 0;
    int16_t messagesSent = 0;
    int16_t course = 0;
    int16_t speedKnots = 0;
    int16_t dfBearing = 0, dfQuality = 0;
    int16_t dfBeamWidth = 0;
    int16_t micMessage = 0;
    int16_t windDirection = 0, windSpeedMph = 0, windGustMph = 0;
    int16_t stormType = 0, stormWind = 0, stormGust = 0;
    int16_t temperatureF = 0;
    int16_t rainHour = 0, rain24h = 0, rainMidnight = 0;  // hundredths of an inch
    int16_t barometerTenthsMbar = 0;
    int16_t humidity = 0;
    int16_t radiusHurricane = 0, radiusStorm = 0, radiusGale = 0;
    FixedString<12> stormText;
    char pressureTrend = 0, temperatureTrend = 0;
    FixedString<5> phg;  // four digits
    FixedString<4> weatherType;
    uint8_t alarm = 0;  // ALARM flag; '*' once the movement alarm fired
    uint8_t danger = 0;
    uint8_t warning = 0;
    int16_t weatherAlarmCount = 0;
    int32_t callbookIndex = 0;
    TimeStamp firstHeard = 0, lastHeard = 0;
    TimeStamp weatherTime = 0, plusTime = 0, stormTime = 0, dfTime = 0;
    TimeStamp reportTime = 0;
    uint8_t isWeatherStation = 0;
    FixedString<128> textA, textB;
    FixedString<128> lastInfo;
    FixedString<128> status;
    FixedString<128> comment;  // the last comment's words, without the data it carried
    FixedString<128> extraText;
    FixedString<64> callbookText;
    std::array<int16_t, 24> hourCounts{};
    int16_t labelPlacement = 0;
    uint8_t heardDirect = 0, heardLocal = 0;
    int32_t directCount = 0, digiCount = 0;
    int32_t messagesGatedTo = 0, messagesGatedFrom = 0;
    uint8_t igateCapable = 0;
    uint8_t relaysForOthers = 0;
    int32_t messageCount = 0;
    int32_t relayedCount = 0;
    int16_t bestHops = 0, bestWides = 0, bestGates = 0;
    int16_t longerCount = 0;
    std::array<FixedString<12>, 10> bestPath;  // destination and up to 9 path elements
    TimeStamp positionGatedTime = 0;
    int32_t badPlainCount = 0;

    bool InUse() const { return state != kStateFree; }
    bool HasPosition() const { return lon > 0 && lat > 0; }
};

}  // namespace velmora
