#pragma once
// The station table as tab-separated text: the rows velmora-decode prints
// and the headless console's station list, one printer for both.
#include <string>
#include <string_view>

#include "stations/StationRecord.h"

namespace velmora {

// A field with tabs, control bytes and backslashes written as \xNN.
std::string EscapeField(std::string_view text);
std::string StationRowHeader();
std::string StationRow(const StationRecord& s);
// The used records of a station's telemetry buffer, one row each.
std::string TelemetryRows(const StationRecord& s);
std::string TrackRows(const StationRecord& s);

}  // namespace velmora
