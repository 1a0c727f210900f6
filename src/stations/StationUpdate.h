#pragma once
// Creating, finding and marking stations as packets are heard.
#include <string_view>

#include "stations/StationContext.h"
#include "stations/SourceKind.h"

namespace velmora {

// What a parsed header says about the path a line took.
struct PathSummary {
    bool direct = false;
    bool local = false;
    int16_t hopCount = 0;
    int16_t wideCount = 0;
    int16_t gateCount = 0;
    std::string_view destination;
    const FixedString<10>* path = nullptr;  // pathCount elements
    int pathCount = 0;
};

enum class Liveness : bool { kReplay = false, kLive = true };

struct FindResult {
    StationIndex index;
    bool created;
};

// Station callsigns are letters, digits, "-", "_" and "+". Object and item
// names are any printable text (frequency objects such as "147.39-NY"),
// with embedded blanks kept and trailing blanks dropped.
enum class NameRules : uint8_t { kCallsign, kObjectName };

// Finds the record of a name or creates it. A callsign is cut at the first
// blank, ">" or "*" and after 9 characters; -1 for an empty name or a full
// table, -2 for characters outside the name rules.
[[nodiscard]] FindResult FindOrAddStation(StationContext& ctx, std::string_view name, Liveness live,
                            SourceKind kind, FourCC software, NameRules rules = NameRules::kCallsign);
// Lookup without creation; the name is cut at the first character below
// "!", or at ">", "," or "*", and after 9 characters.
StationIndex FindStation(const StationTable& table, std::string_view name);

void MarkHeard(StationContext& ctx, StationIndex index);
// The hourly timer clears the new hour's counter in every record.
void ClearHourCounts(StationTable& table, int hour);
void UpdatePathStatistics(StationRecord& station, const PathSummary& path, SourceKind kind, int depth);
void SetStationSoftware(StationRecord& station, FourCC code);

}  // namespace velmora
