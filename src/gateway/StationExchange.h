#pragma once
// Station-exchange lines: what one server of this kind tells another about
// a station, in two fixed-width lines of upper-case hexadecimal
// (":CALLSIGN_00..." and ":CALLSIGN_01..."), read into the station table.
#include <string>
#include <string_view>
#include <vector>

#include "stations/StationContext.h"
#include "stations/StationRecord.h"

namespace velmora {

// Reads one line into the station it names (created when new); false when
// the line is not one of ours or the station cannot be had.
bool ReadStationExchangeLine(StationContext& ctx, std::string_view line);
// The one or two lines that describe a station, each ending "\r\n".
std::vector<std::string> StationExchangeLines(const StationRecord& r);

}  // namespace velmora
