#pragma once
// Everything the station operations read or write besides the table itself.
#include "platform/Clock.h"
#include "platform/Notices.h"
#include "stations/HistoryBuffer.h"
#include "stations/StationEvents.h"
#include "stations/StationFlags.h"
#include "stations/StationTable.h"

namespace velmora {

struct StationSettings {
    int16_t dangerRadiusMiles = 0;
    int16_t warningRadiusMiles = 0;
    int16_t alarmDeltaUnits = 30;  // "Alarm Delta (Secs .)", compared with raw coordinate differences
    bool autoFlagWindows = false;
    bool autoFlagMacs = false;
    bool autoFlagXWin = false;
    bool announceNewStations = false;
    bool positionEcho = false;
    bool autoTrackMovingStations = true;  // "Auto Track Moving Stations"
    int16_t trackPointsToSave = 500;      // "# of points to save"
    int16_t trackDeltaUnits = 10;         // "Track Delta (Secs .)", compared with raw coordinate differences
    bool weatherLog = true;               // keep five-minute weather day logs
};

struct StationContext {
    StationTable& table;
    const StationFlagsFile& flags;
    const StationSettings& settings;
    const Clock& clock;
    NoticeSink& notices;
    StationEvents& events;
    HistoryBuffer& history;
};

}  // namespace velmora
