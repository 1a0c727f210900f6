#pragma once
// A received line in TNC monitor form, source>destination,path1,path2*:info,
// split into its header elements.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Notices.h"
#include "stations/FixedString.h"
#include "stations/TncPortState.h"
#include "stations/StationUpdate.h"

namespace velmora {

constexpr size_t kMaxLineLength = 511;  // longer lines are cut
constexpr size_t kMaxInfoLength = 255;
constexpr int kMaxPathElements = 8;

struct MonitorLine {
    uint8_t direct = 0;
    uint8_t local = 0;
    int16_t hopCount = 0;
    int16_t wideCount = 0;
    int16_t gateCount = 0;
    int16_t ssid = 0;
    FixedString<10> source;
    FixedString<10> destination;
    FixedString<10> path[kMaxPathElements];
    int pathCount = 0;
    FixedString<256> info;
    FixedString<512> rawLine;
    FixedString<512> header;
    // Indices into the header elements, -1 when absent.
    int digipeatedIndex = -1;
    int firstGateIndex = -1;
    int idIndex = -1;  // element "ID" or "BEACON"
    bool internetPath = false;  // an element beginning "TCP"
    bool hasInfo = false;       // a ":" was found
    bool infoCut = false;       // the information field was longer than it holds

    PathSummary Path() const {
        return {direct != 0, local != 0, hopCount, wideCount, gateCount,
                destination.View(), path, pathCount};
    }
};

// Cleans a line in place and returns its (possibly changed) source kind:
// trailing control characters, "cmd:" prompts, "***" connection text,
// "p1 "/"p2 " multi-port prefixes, leading ":" and "|", and the "}" of a
// relayed packet delivered as a whole line.
SourceKind CleanLine(std::string& line, Liveness live, SourceKind kind, TncPortState& ports,
               NoticeSink& notices);

// Splits the header and fills the line; false when no ":" was found.
bool ParseMonitorLine(std::string_view line, MonitorLine& out);

}  // namespace velmora
