#pragma once
// What the table knows of one station, as the text of its information
// window (and of the console's "info CALL"): symbol, position and grid,
// distance and bearing from home, movement, PHG, status, comment, software,
// path, counts and times, weather, telemetry with names and units, and its
// history lines.
#include <string>

#include "stations/HistoryBuffer.h"
#include "stations/StationTable.h"

namespace velmora {

struct InfoHome {
    int32_t lon = 0, lat = 0;  // 0: no home position
};

std::string StationInfoText(const StationTable& t, StationIndex i, const HistoryBuffer& history, InfoHome home);

}  // namespace velmora
