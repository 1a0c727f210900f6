// DX cluster spots: "DX de" lines, other " de " spots, and fixed-column
// spot lists.
#include <cstdio>

#include "decode/ReportDecoders.h"
#include "geo/Gridsquare.h"

namespace velmora {
namespace {

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

void DxClusterSpot(DecodeContext& ctx, std::string_view info, Liveness live, SourceKind kind) {
    if (info.size() <= 26) return;
    std::string_view call = info.substr(26, 8);
    if (const size_t end = call.find_first_of(" /"); end != std::string_view::npos) call = call.substr(0, end);
    if (call.empty()) return;
    const std::string_view frequency = info.substr(15, 10);
    const std::string_view locator = info.size() > 39 ? info.substr(39, 4) : std::string_view{};
    const bool gridded = locator.size() == 4 && Letter(locator[0]) && Letter(locator[1]) && Digit(locator[2]) &&
                         Digit(locator[3]);
    const FindResult found = FindOrAddStation(ctx.st, call, live, kind, 0);
    if (found.index < 0) return;
    StationRecord& s = ctx.st.table.At(found.index);
    ctx.counters.lastStation = found.index;
    s.textB = info;
    // A station heard on APRS keeps its own position, symbol, report and
    // status: a spot only says where a country is and what was heard.
    if (s.specialIcon != 20 && (s.HasPosition() || !s.lastInfo.Empty() || !s.status.Empty())) return;
    s.lastInfo = frequency;
    s.specialIcon = 20;
    const DxPrefix* prefix = ctx.tables.dxPrefixes.Lookup(call);
    const auto square = gridded ? LocatorToBounds(locator) : std::nullopt;
    if (square) {
        s.lon = square->centreLon;
        s.lat = square->centreLat;
        s.symbolTable = '/';
        s.symbolCode = 'G';
    } else if (prefix && prefix->lon > 0 && prefix->lat > 0) {
        s.lon = prefix->lon;
        s.lat = prefix->lat;
        s.symbolTable = '\\';
        s.symbolCode = 'c';
    }
    if (prefix) {
        char status[160];
        std::snprintf(status, sizeof status, "%-6s %.*s %-26s %.*s", prefix->prefix.c_str(),
                      static_cast<int>(frequency.size()), frequency.data(), prefix->country.c_str(),
                      static_cast<int>(locator.size()), locator.data());
        s.status = status;
    }
    if (s.HasPosition()) ctx.st.events.RedrawStation(found.index);
}

void OtherSpot(DecodeContext& ctx, std::string_view info) {
    const size_t de = info.find(" de ");
    if (de == std::string_view::npos) return;
    const std::string_view before = Trim(info.substr(0, de));
    const std::string_view firstWord = before.substr(0, before.find(' '));
    std::string_view rest = info.substr(de + 4);
    const size_t end = rest.find_first_of(": ");
    const std::string_view spotter = rest.substr(0, end);
    const std::string_view text = end == std::string_view::npos ? std::string_view{} : Trim(rest.substr(end + 1));
    ctx.tables.spots.AddDxSpot(firstWord, spotter, text, ctx.st.clock.NowStamp());
}

void FixedColumnSpot(DecodeContext& ctx, std::string_view info) {
    size_t i = 0;
    while (i < info.size() && info[i] == ' ') ++i;
    int32_t key = 0;
    for (; i < info.size() && Digit(info[i]) && key < 100000000; ++i) key = key * 10 + (info[i] - '0');
    ctx.tables.waypoints.AddIfNew(key, info);
}

}  // namespace

void DecodeDxSpot(DecodeContext& ctx, SpotClass spot, std::string_view info, Liveness live, SourceKind kind) {
    switch (spot) {
        case SpotClass::kDxCluster: DxClusterSpot(ctx, info, live, kind); break;
        case SpotClass::kOtherDe: OtherSpot(ctx, info); break;
        case SpotClass::kFixedColumn: FixedColumnSpot(ctx, info); break;
    }
}

}  // namespace velmora
