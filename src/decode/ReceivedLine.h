#pragma once
// The one entry for every received line, whatever its origin: TNC ports,
// KISS, internet links, server clients, log replay and the own position.
#include <string>

#include "decode/DecodeContext.h"

namespace velmora {

// Relayed packets nest; deeper ones are dropped.
constexpr int kMaxRelayDepth = 8;

// line is cleaned in place. depth is 0 for a line from outside and n+1 for
// the inner packet of a relayed packet at depth n.
void ProcessReceivedLine(DecodeContext& ctx, std::string& line, Liveness live, SourceKind kind,
                         int depth = 0);

}  // namespace velmora
