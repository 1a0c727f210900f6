#pragma once
// Everything received-line processing reads and writes, owned by the App.
#include "decode/DropReason.h"
#include "decode/MonitorLine.h"
#include "refdata/DxTables.h"
#include "special/RDF.h"
#include "decode/Seams.h"
#include "decode/Statistics.h"
#include "stations/StationContext.h"

namespace velmora {

struct OwnStation {
    Callsign call{"N0CALL"};
    int32_t homeLon = 0;  // 0: no home position
    int32_t homeLat = 0;
    bool HasHome() const { return homeLon > 0 && homeLat > 0; }
};

// Whether a received line may be passed on to a radio port.
enum class Gating : uint8_t { kAllowed, kNever };

struct DecodeSettings {
    bool gateInternetToRadio = false;
    bool forwardMicEToInternet = false;
    int16_t utcOffsetHours = 0;           // subtracted from local time to give UTC
    bool igateOperation = false;
    // Weather alarms of received weather stations: limits (0 = off) and the
    // range in miles inside which they notify.
    int16_t weatherAlarmRangeMiles = 0;
    int16_t highWindMph = 0;
    int16_t deltaTemperatureF = 0;  // per minute
    int16_t highTemperatureF = 0;
    int16_t lowTemperatureF = 0;
    int16_t rainFactor = 1;  // 1 for a 0.01 inch gauge, 10 for 0.10 inch
    // The symbol code of a station that sends bare GPS sentences, by SSID.
    char ssidSymbols[17] = "/>>>>>>>>>>>>>>>";
};

struct DecodeCounters {
    uint32_t messages = 0;           // ":" messages
    uint32_t otherFormMessages = 0;  // messages found by the tenth-character rule
    DropCounters dropped;
    TimeStamp lastDecoded = 0;
    // The record the latest line changed (the object's for an object), -1 none.
    StationIndex lastStation = -1;
    // The line being decoded had to be cut (longer than the line or the
    // information field holds): it is read, but never passed on.
    bool lineCut = false;
};

// The tables and state the report decoders fill besides the station table.
struct DecodeTables {
    SpotSink& spots;
    WaypointTable& waypoints;
    const DxPrefixTable& dxPrefixes;
    ReportRequests& requests;
    DfLine& dfLine;
};

struct DecodeContext {
    StationContext& st;
    DecodeTables& tables;
    PacketStatistics& stats;
    ActivityTable* activity;  // null when the activity table was not allocated
    TncPortState& ports;
    DecodeSeams& seams;
    const OwnStation& own;
    const DecodeSettings& settings;
    DecodeCounters& counters;

    // Counts a packet; a category outside the table only beeps.
    void Count(SourceKind kind, int category) {
        if (!stats.Count(kind, category, st.clock.Now().hour)) st.notices.Beep();
    }
};

}  // namespace velmora
