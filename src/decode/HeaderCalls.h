#pragma once
// Whether a header's calls are ones a packet can carry: the path as APRS-IS
// passes it (letters, digits and "-", up to nine), the destination as AX.25
// writes it (upper case, up to six, SSID 0 to 15). The source keeps the
// station table's own rule.
// Packets with other calls ("Office", "SZ8L_GREE") come from broken
// software or broken gateways and are not decoded, as today's parsers do.
#include <string_view>

namespace velmora {

struct MonitorLine;

bool Ax25Destination(std::string_view call);
bool HeaderCallsReadable(const MonitorLine& line);

}  // namespace velmora
