#pragma once
// The internet servers the station knows: host-list files ("APRServe.txt",
// then "APRSxtra.txt" or "APRSserv.txt"), their proxy lines, the login
// line with its passcode, and the server stream cut into lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A server's bytes into lines: 7-bit, ended by CR or LF, or cut at 256
// characters; control bytes dropped; empty lines ignored.
class ServerLines {
public:
    static constexpr size_t kLineLimit = 256;
    // Calls onLine for each complete line in the bytes.
    template <typename F>
    void Feed(std::string_view bytes, F&& onLine) {
        for (const char ch : bytes) {
            const char c = static_cast<char>(ch & 0x7F);
            if (c == '\r' || c == '\n' || line_.size() >= kLineLimit) {
                if (!line_.empty()) onLine(std::string_view(line_));
                line_.clear();
                if (c == '\r' || c == '\n') continue;
            }
            if (static_cast<unsigned char>(c) >= 32) line_.push_back(c);
        }
    }

private:
    std::string line_;
};

// A server's "# logresp CALL verified|unverified, server NAME" line.
struct LoginResponse {
    std::string call;
    bool verified = false;
    std::string server;
};
bool ParseLoginResponse(std::string_view line, LoginResponse& out);

}  // namespace velmora
