#pragma once
// Moves a decoded report into its station record: position, symbol, data
// extensions, the software trailer, the proximity and movement alarms.
#include <optional>
#include <string_view>

#include "decode/DecodeContext.h"

namespace velmora {

void ApplyReport(DecodeContext& ctx, std::string_view source, StationIndex index,
                 DecodedReport& report, std::string_view info, SourceKind kind, Liveness live);

// Altitude in feet from "/A=" (or "A=" at a given place) in a comment.
std::optional<int32_t> AltitudeAt(std::string_view comment, size_t equalsSign);
std::optional<int32_t> FindAltitude(std::string_view comment);

}  // namespace velmora
