#include "gateway/StationExchange.h"

#include <cstdio>

#include "stations/StationUpdate.h"

namespace velmora {
namespace {

// Character by character: blanks count as 0 and lower case reads as upper.
uint32_t Hex(std::string_view s) {
    uint32_t v = 0;
    for (const char c : s) v = v * 16 + (uint32_t(c) & 15) + (c >= 'A' ? 9 : 0);
    return v;
}

std::string_view Field(std::string_view line, size_t& at, size_t width) {
    const std::string_view f = at < line.size() ? line.substr(at, width) : std::string_view{};
    at += width;
    return f;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

bool ReadStationExchangeLine(StationContext& ctx, std::string_view line) {
    if (line.size() < 12 || line[0] != ':') return false;
    std::string_view name = line.substr(1, 9);
    for (size_t i = 0; i < name.size(); ++i) {
        if (static_cast<unsigned char>(name[i]) <= 32) {
            name = name.substr(0, i);
            break;
        }
    }
    const FindResult found = FindOrAddStation(ctx, name, Liveness::kReplay, SourceKind::kInternet, 0);
    if (found.index < 0) return false;
    StationRecord& r = ctx.table.At(found.index);
    if (r.sourceKind == SourceKind::kNone) r.sourceKind = SourceKind::kInternet;
    size_t at = 12;
    const uint32_t type = Hex(line.substr(10, 2));
    if (type == 1) {
        r.codeA = TrimRight(Field(line, at, 2));
        r.codeB = TrimRight(Field(line, at, 3));
        r.codeC = TrimRight(Field(line, at, 11));
        return true;
    }
    if (type != 0) return false;
    r.symbolTable = static_cast<char>(Hex(Field(line, at, 2)));
    r.symbolCode = static_cast<char>(Hex(Field(line, at, 2)));
    r.specialIcon = static_cast<int8_t>(Hex(Field(line, at, 2)));
    r.reportType = static_cast<char>(Hex(Field(line, at, 2)));
    r.systemCode = static_cast<int16_t>(Hex(Field(line, at, 4)));
    r.software = Hex(Field(line, at, 8));
    r.lon = static_cast<int32_t>(Hex(Field(line, at, 8)));
    r.lat = static_cast<int32_t>(Hex(Field(line, at, 8)));
    r.altitudeFeet = static_cast<int32_t>(Hex(Field(line, at, 8)));
    r.firstHeard = Hex(Field(line, at, 8));
    r.lastHeard = Hex(Field(line, at, 8));
    r.packets = static_cast<int32_t>(Hex(Field(line, at, 8)));
    ctx.events.RedrawStation(found.index);
    return true;
}

std::vector<std::string> StationExchangeLines(const StationRecord& r) {
    char call[16];
    std::snprintf(call, sizeof call, "%-9.9s", r.callsign.CStr());
    char line[128];
    std::snprintf(line, sizeof line, ":%s00%2X%2X%2X%2X%4X%8X%8X%8X%8X%8X%8X%8X\r\n", call,
                  unsigned(uint8_t(r.symbolTable)), unsigned(uint8_t(r.symbolCode)), unsigned(uint8_t(r.specialIcon)),
                  unsigned(uint8_t(r.reportType)), unsigned(uint16_t(r.systemCode)), unsigned(r.software),
                  unsigned(r.lon), unsigned(r.lat), unsigned(r.altitudeFeet), unsigned(r.firstHeard),
                  unsigned(r.lastHeard), unsigned(r.packets));
    std::vector<std::string> out{line};
    if (r.codeA.View().size() == 2) {
        std::snprintf(line, sizeof line, ":%s01%-2.2s%-3.3s%-11.11s\r\n", call, std::string(r.codeA.View()).c_str(),
                      std::string(r.codeB.View()).c_str(), std::string(r.codeC.View()).c_str());
        out.emplace_back(line);
    }
    return out;
}

}  // namespace velmora
