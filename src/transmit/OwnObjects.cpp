#include "transmit/OwnObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "geo/Position.h"

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;

bool RouteWanted(uint8_t routes, char route) {
    switch (route) {
        case 'H': return routes & kObjectRouteHf;
        case 'V': return routes & kObjectRouteVhf;
        case 'T': return routes & kObjectRouteInternet;
        default: return routes != 0;
    }
}

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        out.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    out.emplace_back(line.substr(start));
    return out;
}

std::optional<long long> Number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (*end) return std::nullopt;
    return v;
}

}  // namespace

std::string OwnObjectStore::NameProblem(std::string_view name, bool item) {
    const size_t least = item ? 3 : 1;
    if (name.size() < least || name.size() > 9)
        return std::string(item ? "An item's name has 3 to 9 characters" : "An object's name has 1 to 9 characters") +
               ", such as EOC or 147.39-NY";
    for (char c : name) {
        // Receivers cut a name at a blank, ">", "," or "*"; "!" and "_" end an item's name.
        if (c <= ' ' || c > '~' || c == '>' || c == ',' || c == '*' || (item && (c == '!' || c == '_')))
            return "A name holds no blank and none of > , * ! _ (such as EOC or 147.39-NY)";
    }
    return {};
}

std::string OwnObjectStore::SymbolProblem(char table, char code) {
    const bool tableOk = table == '/' || table == '\\' || (table >= 'A' && table <= 'Z') || (table >= '0' && table <= '9');
    if (!tableOk || code <= ' ' || code > '~')
        return "A symbol is its table (/, \\ or an overlay letter or digit) and its character, such as /o or \\k";
    return {};
}

std::string OwnObjectStore::CommentProblem(std::string_view comment) {
    if (comment.size() > kMaxComment)
        return "An object's comment has at most 43 characters; this one has " + std::to_string(comment.size());
    for (char c : comment)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F || c == '|' || c == '~')
            return "An object's comment holds no line end, control character, | or ~";
    return {};
}

std::string OwnObjectStore::Put(OwnObjectEntry entry) {
    if (std::string why = NameProblem(entry.name, entry.item); !why.empty()) return why;
    if (std::string why = SymbolProblem(entry.symbolTable, entry.symbolCode); !why.empty()) return why;
    if (std::string why = CommentProblem(entry.comment); !why.empty()) return why;
    if (entry.lon <= 0 || entry.lat <= 0) return "An object needs a position";
    if (entry.course < 0 || entry.course > 360 || entry.speed < 0 || entry.speed > 999)
        return "Course runs from 0 to 360 degrees and speed from 0 to 999 knots";
    if (entry.routes == 0) return "Choose at least one route for the object (HF, VHF or the internet)";
    entry.killedSends = -1;
    entry.lastRound = -1;
    for (OwnObjectEntry& e : entries_) {
        if (e.name != entry.name) continue;
        e = std::move(entry);
        return {};
    }
    entries_.push_back(std::move(entry));
    return {};
}

std::string OwnObjectStore::Move(std::string_view name, int32_t lon, int32_t lat, TimeStamp now) {
    for (OwnObjectEntry& e : entries_) {
        if (e.name != name || e.Killed()) continue;
        if (lon <= 0 || lat <= 0) return "An object needs a position";
        e.lon = lon, e.lat = lat, e.setAt = now;
        return {};
    }
    return "No own object named " + std::string(name);
}

std::string OwnObjectStore::Kill(std::string_view name) {
    for (OwnObjectEntry& e : entries_) {
        if (e.name != name || e.Killed()) continue;
        e.killedSends = kKilledSends;
        return {};
    }
    return "No own object named " + std::string(name);
}

const OwnObjectEntry* OwnObjectStore::Find(std::string_view name) const {
    for (const OwnObjectEntry& e : entries_)
        if (e.name == name) return &e;
    return nullptr;
}

std::pair<int32_t, int32_t> DeadReckoned(const OwnObjectEntry& o, TimeStamp now) {
    if (o.speed <= 0 || now <= o.setAt) return {o.lon, o.lat};
    const double hours = static_cast<double>(now - o.setAt) / 3600.0;
    const double nm = o.speed * hours, course = o.course * kPi / 180;
    const double lat = LatDegreesFromUnits(o.lat) + nm * std::cos(course) / 60;
    const double cosLat = std::max(0.01, std::cos(LatDegreesFromUnits(o.lat) * kPi / 180));
    double lon = LonDegreesFromUnits(o.lon) + nm * std::sin(course) / (60 * cosLat);
    if (lon > 180) lon -= 360;
    if (lon < -180) lon += 360;
    return {LonUnitsFromDegrees(lon), LatUnitsFromDegrees(std::clamp(lat, -89.99, 89.99))};
}

std::optional<std::string> OwnObjectStore::ReportOf(OwnObjectEntry& e, TimeStamp now, int utcOffsetHours) {
    const int64_t minute = static_cast<int64_t>(now / 60);
    if (e.Killed() && e.lastRound != minute) {
        if (e.killedSends <= 0) return std::nullopt;  // spent: TakeSpent drops it
        --e.killedSends;
        e.lastRound = minute;
    }
    OwnObject o;
    o.name = e.name;
    o.item = e.item;
    o.killed = e.Killed();
    o.symbolTable = e.symbolTable, o.symbolCode = e.symbolCode;
    o.course = e.course, o.speed = e.speed, o.altitudeFeet = e.altitudeFeet;
    o.comment = e.comment;
    o.timeText = DayHourMinuteText(FromTimeStamp(e.setAt), utcOffsetHours);
    o.deadReckoned = e.speed > 0 && !o.killed && !e.item;
    std::tie(o.lon, o.lat) = o.deadReckoned ? DeadReckoned(e, now) : std::pair{e.lon, e.lat};
    return ObjectReport(o, DayHourMinuteText(FromTimeStamp(now), utcOffsetHours));
}

std::vector<std::string> OwnObjectStore::Reports(char route, TimeStamp now, int utcOffsetHours) {
    std::vector<std::string> out;
    for (OwnObjectEntry& e : entries_) {
        if (!RouteWanted(e.routes, route)) continue;
        if (auto report = ReportOf(e, now, utcOffsetHours)) out.push_back(std::move(*report));
    }
    return out;
}

std::optional<std::string> OwnObjectStore::Report(std::string_view name, TimeStamp now, int utcOffsetHours) {
    for (OwnObjectEntry& e : entries_)
        if (e.name == name) return ReportOf(e, now, utcOffsetHours);
    return std::nullopt;
}

std::vector<std::string> OwnObjectStore::TakeSpent(TimeStamp now) {
    const int64_t minute = static_cast<int64_t>(now / 60);
    std::vector<std::string> spent;
    std::erase_if(entries_, [&](const OwnObjectEntry& e) {
        const bool gone = e.Killed() && e.killedSends <= 0 && e.lastRound != minute;
        if (gone) spent.push_back(e.name);
        return gone;
    });
    return spent;
}

// One object a line, fields by tabs: kind (O or I), name, table, code,
// latitude and longitude units, course, speed, altitude, routes, time set,
// killed reports left (-1 alive), comment.
std::string OwnObjectStore::FileText() const {
    std::string out = "# Velmora own objects: kind name table code lat lon course speed altitude routes set killed comment\n";
    for (const OwnObjectEntry& e : entries_) {
        char line[160];
        std::snprintf(line, sizeof line, "%c\t%s\t%c\t%c\t%ld\t%ld\t%d\t%d\t%ld\t%d\t%lld\t%d\t", e.item ? 'I' : 'O',
                      e.name.c_str(), e.symbolTable, e.symbolCode, long(e.lat), long(e.lon), e.course, e.speed,
                      long(e.altitudeFeet), e.routes, static_cast<long long>(e.setAt), e.killedSends);
        out += line + e.comment + "\n";
    }
    return out;
}

int OwnObjectStore::ReadFile(std::string_view text) {
    int bad = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> f = SplitTabs(line);
        OwnObjectEntry e;
        const auto lat = f.size() == 13 ? Number(f[4]) : std::nullopt;
        const auto lon = f.size() == 13 ? Number(f[5]) : std::nullopt;
        const auto course = f.size() == 13 ? Number(f[6]) : std::nullopt;
        const auto speed = f.size() == 13 ? Number(f[7]) : std::nullopt;
        const auto alt = f.size() == 13 ? Number(f[8]) : std::nullopt;
        const auto routes = f.size() == 13 ? Number(f[9]) : std::nullopt;
        const auto set = f.size() == 13 ? Number(f[10]) : std::nullopt;
        const auto killed = f.size() == 13 ? Number(f[11]) : std::nullopt;
        if (!lat || !lon || !course || !speed || !alt || !routes || !set || !killed || f[0].size() != 1 ||
            f[2].size() != 1 || f[3].size() != 1 || *lat <= 0 || *lat > 64800000 || *lon <= 0 || *lon > 129600000 ||
            *routes < 1 || *routes > 7 || *set < 0) {
            ++bad;
            continue;
        }
        e.item = f[0] == "I";
        e.name = f[1];
        e.symbolTable = f[2][0], e.symbolCode = f[3][0];
        e.lat = static_cast<int32_t>(*lat), e.lon = static_cast<int32_t>(*lon);
        e.course = static_cast<int>(*course), e.speed = static_cast<int>(*speed);
        e.altitudeFeet = static_cast<int32_t>(*alt);
        e.routes = static_cast<uint8_t>(*routes);
        e.setAt = static_cast<TimeStamp>(*set);
        e.comment = f[12];
        const int left = static_cast<int>(std::clamp<long long>(*killed, -1, kKilledSends));
        if (!Put(e).empty()) {
            ++bad;
            continue;
        }
        for (OwnObjectEntry& kept : entries_)
            if (kept.name == e.name) kept.killedSends = left;
    }
    return bad;
}

}  // namespace velmora
