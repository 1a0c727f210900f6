#pragma once
// What the server does to the header of a packet a client sends in, as an
// APRS-IS server does: the q construct that says how it entered, and the
// mark that keeps an unverified client's packet off the radio.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct ClientLogin {
    std::string call;       // the login's call
    bool verified = false;  // its passcode matched
};

// The packet as it goes on from the server, or nothing when it may not:
// - verified: an existing q construct stays; without one ",qAC,SERVER" is
//   added when the source is the login call, ",qAO,LOGIN" otherwise;
// - unverified: only a packet that came over TCPIP passes, with TCPIP
//   changed to TCPXX in the path (never in the text) and any q construct
//   replaced by ",qAX,SERVER".
// A line that is no packet ("SOURCE>DEST...:text") is refused.
std::optional<std::string> ClientPacket(std::string_view line, const ClientLogin& login, std::string_view server);

// Whether the path of a packet holds a q construct of this kind ("qAX").
bool PathHoldsQ(std::string_view line, std::string_view q);

}  // namespace velmora
