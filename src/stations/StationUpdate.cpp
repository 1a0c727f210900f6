#include "stations/StationUpdate.h"

#include <cctype>
#include <cstdio>

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");

bool CallsignChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '+';
}

const char* SoftwareName(FourCC code) {
    switch (code) {
        case MakeFourCC("DOS "): return "DOS";
        case MakeFourCC("MAC "): return "Mac";
        case MakeFourCC("StAt"): return "St Atlas";
        case MakeFourCC("WIN "): return "Win";
        case MakeFourCC("XWIN"): return "X-Win";
        default: return "????";
    }
}

void InvalidateNewStationLists(StationEvents& events) {
    static constexpr FourCC kNewStationLists[] = {
        MakeFourCC("STAL"), MakeFourCC("POSL"), MakeFourCC("WHNL"), MakeFourCC("WXXL"),
        MakeFourCC("SHTL"), MakeFourCC("HURL"), MakeFourCC("TRKL"), MakeFourCC("TCPL"),
        MakeFourCC("MICL"), MakeFourCC("RDFL"), MakeFourCC("PTHL"),
    };
    for (FourCC list : kNewStationLists) events.InvalidateList(kList, list);
}

void InitialiseRecord(StationContext& ctx, StationRecord& r) {
    const TimeStamp now = ctx.clock.NowStamp();
    r.state = kStateInUse;
    r.drawn = 1;
    r.labelPlacement = -1;
    r.symbolCode = ' ';
    r.firstHeard = now;
    r.lastHeard = now;
    r.heardLocal = 0;
    r.bestHops = 0;
    r.bestWides = 99;
    r.bestGates = 0;
    const StationFlags f = ctx.flags.For(r.callsign.View());
    if (f.alarm) r.alarm = 1;
    if (f.danger) r.danger = 1;
    if (f.flagged) r.flagged = 1;
    if (f.track) r.track = 1;
    if (f.warning) r.warning = 1;
    if (f.lock) r.state = kStateLocked;
}

void AnnounceNewStation(StationContext& ctx, const StationRecord& r, SourceKind kind, FourCC software) {
    const LocalDateTime t = ctx.clock.Now();
    char line[96];
    std::snprintf(line, sizeof line, "%s\t%c\t%s\t%02d/%02d/%04d", r.callsign.CStr(),
                  kind != SourceKind::kNone ? ToChar(kind) : ' ', SoftwareName(software), t.month, t.day, t.year);
    ctx.events.NewStationLogLine(line);
    if (ctx.settings.announceNewStations) ctx.notices.PlayEventSound(kSoundNewStation, r.callsign.View());
}

bool AutoFlagged(const StationSettings& s, FourCC software) {
    return (software == MakeFourCC("WIN ") && s.autoFlagWindows) ||
           (software == MakeFourCC("MAC ") && s.autoFlagMacs) ||
           (software == MakeFourCC("XWIN") && s.autoFlagXWin);
}

std::string_view CutCallsign(std::string_view name) {
    size_t n = 0;
    while (n < name.size() && n < 9 && name[n] != ' ' && name[n] != '>' && name[n] != '*') ++n;
    return name.substr(0, n);
}

std::string_view CutObjectName(std::string_view name) {
    name = name.substr(0, 9);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

bool ValidName(std::string_view call, NameRules rules) {
    for (char c : call) {
        const auto u = static_cast<unsigned char>(c);
        const bool ok = rules == NameRules::kCallsign ? CallsignChar(c) : (u >= 0x20 && u < 0x7F);
        if (!ok) return false;
    }
    return true;
}

}  // namespace

FindResult FindOrAddStation(StationContext& ctx, std::string_view name, Liveness live,
                            SourceKind kind, FourCC software, NameRules rules) {
    // An empty name is a malformed packet, not a full table.
    if (name.empty() || name[0] == ' ') return {kInvalidCallsign, false};
    const std::string_view call = rules == NameRules::kCallsign ? CutCallsign(name) : CutObjectName(name);
    if (call.empty() || !ValidName(call, rules)) return {kInvalidCallsign, false};

    StationIndex index = ctx.table.Lookup(call);
    bool created = false;
    if (index < 0) {
        index = ctx.table.Append(call);
        if (index < 0) return {kTableFull, false};
        created = true;
        StationRecord& r = ctx.table.At(index);
        if (live == Liveness::kLive) AnnounceNewStation(ctx, r, kind, software);
        InitialiseRecord(ctx, r);
        InvalidateNewStationLists(ctx.events);
        if (r.flagged) ctx.events.InvalidateList(kList, MakeFourCC("FLGL"));
    }
    StationRecord& r = ctx.table.At(index);
    if (r.state <= 0) r.state = kStateInUse;
    if (AutoFlagged(ctx.settings, software)) {
        r.flagged = 'F';
        ctx.events.InvalidateList(kList, MakeFourCC("FLGL"));
    }
    return {index, created};
}

StationIndex FindStation(const StationTable& table, std::string_view name) {
    size_t n = 0;
    while (n < name.size() && n < 9) {
        const char c = name[n];
        if (static_cast<unsigned char>(c) < '!' || c == '>' || c == ',' || c == '*') break;
        ++n;
    }
    if (n == 0) return -1;
    return table.Lookup(name.substr(0, n));
}

void MarkHeard(StationContext& ctx, StationIndex index) {
    if (!ctx.table.ValidIndex(index)) return;
    StationRecord& r = ctx.table.At(index);
    const LocalDateTime now = ctx.clock.Now();
    r.lastHeard = ToTimeStamp(now);
    ++r.packets;
    if (now.hour >= 0 && now.hour < 24) ++r.hourCounts[static_cast<size_t>(now.hour)];
}

void ClearHourCounts(StationTable& table, int hour) {
    if (hour < 0 || hour >= 24) return;
    // Every record of the table, used or not, as the hourly timer does.
    for (int32_t i = 0; i < table.Capacity(); ++i) table.At(i).hourCounts[static_cast<size_t>(hour)] = 0;
}

void UpdatePathStatistics(StationRecord& r, const PathSummary& path, SourceKind kind, int depth) {
    if (depth == 0 && (kind == SourceKind::kHf || kind == SourceKind::kVhf || kind == SourceKind::kHfTag || kind == SourceKind::kVhfTag)) {
        if (path.direct) {
            r.heardDirect = 1;
            ++r.directCount;
        } else {
            ++r.digiCount;
        }
        if (path.local) r.heardLocal = 1;
    }
    // A longer path replaces the stored best path only after 16 longer ones.
    if (path.wideCount > r.bestWides && path.hopCount > r.bestHops && r.longerCount <= 15) {
        ++r.longerCount;
        return;
    }
    r.longerCount = 0;
    r.bestHops = path.hopCount;
    r.bestWides = path.wideCount;
    r.bestGates = path.gateCount;
    for (auto& element : r.bestPath) element.Clear();
    r.bestPath[0] = path.destination;
    for (int i = 0; i < path.pathCount && i < 9; ++i) r.bestPath[static_cast<size_t>(i) + 1] = path.path[i].View();
}

void SetStationSoftware(StationRecord& r, FourCC code) {
    r.software = code;
    if (r.specialIcon > 0) return;
    struct IconFor {
        FourCC code;
        int8_t icon;
    };
    static constexpr IconFor kIcons[] = {
        {MakeFourCC("DOS "), 0},  {MakeFourCC("APQX"), 0},   {MakeFourCC("GAME"), 29},
        {MakeFourCC("GPS "), 24}, {MakeFourCC("JAVA"), 14},  {MakeFourCC("MAC "), 77},
        {MakeFourCC("PALM"), 16}, {MakeFourCC("StAt"), 28},  {MakeFourCC("UNKN"), 13},
        {MakeFourCC("WIN "), 90}, {MakeFourCC("WNCE"), 15},  {MakeFourCC("XWIN"), 120},
    };
    for (const auto& entry : kIcons) {
        if (entry.code == code) {
            r.specialIcon = entry.icon;
            return;
        }
    }
}

}  // namespace velmora
