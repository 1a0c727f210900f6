#pragma once
// The internet servers the station knows: host-list files ("APRServe.txt",
// then "APRSxtra.txt" or "APRSserv.txt"), their proxy lines, the login
// line with its passcode, and the server stream cut into lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stations/ByteLines.h"

namespace velmora {

struct HostEntry {
    std::string host;         // at most 64 characters
    std::string portText;     // at most 32
    std::string description;  // at most 256
    uint16_t port = 23;       // the port text as a number; 0 means 23
    int kind = 0;             // 1: the public server list
};

struct ProxySettings {
    bool inUse = false;
    std::string host, port;
    bool winProxy = false, manual = false, telnet = false;
};

struct HostLists {
    std::vector<HostEntry> entries;  // the public list first, in file order
    ProxySettings proxy;
};

// Reads one host-list file's lines into the lists; kind 1 for the public
// list. Short lines and "#" comments are skipped; PROXY lines set the proxy.
void ReadHostList(const std::vector<std::string>& lines, int kind, HostLists& out);
// The public server used when "APRServe.txt" is missing.
HostEntry BuiltInServer();

// The passcode the servers verify: the call up to its SSID, hashed a pair
// of characters at a time from the seed 0x73E2, top bit cleared.
int Passcode(std::string_view call);
// "user CALL pass N vers Velmora 2.2.8" with a server-side filter when
// given (today's user ports send nothing without one), then "\r\n".
std::string LoginLine(std::string_view call, std::string_view filter);
// The default filter: a range of this many kilometres around a position.
std::string RangeFilter(double latDegrees, double lonDegrees, int km);

// A server's bytes into lines: cut on CR and LF on the raw bytes, 8-bit
// bytes kept. APRS-IS allows lines of up to 512 bytes; a longer one is
// dropped whole, so neither its head nor its tail is read as a packet.
class ServerLines {
public:
    static constexpr size_t kLineLimit = 512;
    // Calls onLine for each complete line in the bytes.
    template <typename F>
    void Feed(std::string_view bytes, F&& onLine) {
        lines_.Feed(bytes, [&](std::string_view line) {
            if (!HoldsControlBytes(line)) {
                onLine(line);
                return;
            }
            const std::string clean = PacketText(line);
            if (!clean.empty()) onLine(std::string_view(clean));
        });
    }
    uint64_t Dropped() const { return lines_.Dropped(); }

private:
    ByteLines lines_{kLineLimit};
};

// A server's "# logresp CALL verified|unverified, server NAME" line.
struct LoginResponse {
    std::string call;
    bool verified = false;
    std::string server;
};
bool ParseLoginResponse(std::string_view line, LoginResponse& out);

}  // namespace velmora
