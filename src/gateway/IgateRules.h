#pragma once
// The APRS-IS rules for what an IGate passes between radio and the
// internet servers, as pure functions of the packet text.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class RfGateRefusal : uint8_t {
    kNone,
    kNotAPacket,     // no "SOURCE>DEST...:" header, or no information
    kNoGatePath,     // NOGATE, RFONLY, TCPIP or TCPXX in the path
    kQuery,          // a general query ("?")
    kOwnPacket,      // our own, heard back
    kFromInternet,   // a third-party packet whose inner packet came from the internet
};

struct RfGateResult {
    RfGateRefusal refusal = RfGateRefusal::kNone;
    std::string line;  // the line for the servers, without a line end
};

// A packet heard on radio, as the servers take it: the header and text
// unchanged (third-party: the inner packet only), with ",qAR,OWNCALL"
// after the path. Bytes of 128 and above pass as they are.
RfGateResult RfToInternet(std::string_view line, std::string_view ownCall);

// "}SOURCE>DEST,TCPIP,OWNCALL*:INFO\r": a packet relayed on radio for an
// internet station.
std::string RelayLine(std::string_view source, std::string_view destination, std::string_view ownCall,
                      std::string_view info);

// Whether a path (comma-separated, "*" marks allowed) holds one of these.
bool PathHolds(std::string_view path, std::initializer_list<std::string_view> elements);

}  // namespace velmora
