#include "ports/InternetHosts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace velmora {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start <= line.size()) {
        const size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

void ReadHostList(const std::vector<std::string>& lines, int kind, HostLists& out) {
    for (const std::string& raw : lines) {
        std::string_view line = raw;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (line.size() <= 3 || line.front() == '#') continue;
        const auto f = Fields(line);
        const std::string first = Upper(f[0]);
        if (first == "PROXIE" || first == "PROXY") {
            out.proxy.inUse = true;
            out.proxy.host = f.size() > 1 ? std::string(f[1]) : "";
            out.proxy.port = f.size() > 2 ? std::string(f[2]) : "";
            continue;
        }
        if (first == "WINPROXY") { out.proxy.winProxy = true; continue; }
        if (first == "MANUAL") { out.proxy.manual = true; continue; }
        if (first == "TELNET") { out.proxy.telnet = true; continue; }
        HostEntry e;
        e.host = std::string(f[0].substr(0, 64));
        e.portText = f.size() > 1 ? std::string(f[1].substr(0, 32)) : "";
        e.description = f.size() > 2 ? std::string(f[2].substr(0, 256)) : "";
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(e.portText.data(), e.portText.data() + e.portText.size(), value);
        (void)end;
        e.port = ec == std::errc() && value > 0 && value <= 65535 ? static_cast<uint16_t>(value) : 23;
        e.kind = kind;
        out.entries.push_back(std::move(e));
    }
}

HostEntry BuiltInServer() {
    // A public rotation address on the filter port: any server of the
    // network, with a filter of our choosing.
    return {"rotate.aprs2.net", "14580", "APRS-IS rotation, filter port", 14580, 1};
}

int Passcode(std::string_view call) {
    call = call.substr(0, call.find('-'));
    uint16_t hash = 0x73E2;
    for (size_t i = 0; i < call.size(); i += 2) {
        hash ^= static_cast<uint16_t>(static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(call[i]))) << 8);
        if (i + 1 < call.size()) hash ^= static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(call[i + 1])));
    }
    return hash & 0x7FFF;
}

std::string LoginLine(std::string_view call, std::string_view filter) {
    std::string line = "user " + std::string(call) + " pass " + std::to_string(Passcode(call)) + " vers Velmora 2.2.8";
    // A filter from the operator or a server line can carry no line end.
    std::string clean;
    for (const char c : filter)
        if (c != '\r' && c != '\n') clean.push_back(c);
    if (!clean.empty()) line += " filter " + clean;
    return line + "\r\n";
}

std::string RangeFilter(double lat, double lon, int km) {
    char out[64];
    std::snprintf(out, sizeof out, "r/%.2f/%.2f/%d", lat, lon, km);
    return out;
}

bool ParseLoginResponse(std::string_view line, LoginResponse& out) {
    constexpr std::string_view kHead = "# logresp ";
    if (line.substr(0, kHead.size()) != kHead) return false;
    line.remove_prefix(kHead.size());
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 0) return false;
    out.call = std::string(line.substr(0, space));
    line.remove_prefix(space + 1);
    out.verified = line.substr(0, 8) == "verified";
    if (!out.verified && line.substr(0, 10) != "unverified") return false;
    const size_t server = line.find("server ");
    out.server = server == std::string_view::npos ? "" : std::string(line.substr(server + 7));
    return true;
}

}  // namespace velmora
