#include "refdata/Airports.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"

namespace velmora {
namespace {

uint32_t U32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}
uint16_t U16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) << 8 | static_cast<uint8_t>(b[at + 1]));
}

// "41 42' 51\"N" and "72 43' 38\"W", as the map read-out writes them.
std::string LatText(int32_t lat) {
    const DegreesMinutesSeconds d = LatToDms(lat);
    char t[32];
    std::snprintf(t, sizeof t, "Lat %3d %02d' %02d\"%c", d.degrees, d.minutes, d.seconds, d.hemisphere);
    return t;
}
std::string LonText(int32_t lon) {
    const DegreesMinutesSeconds d = LonToDms(lon);
    char t[32];
    std::snprintf(t, sizeof t, "Lon %3d %02d' %02d\"%c", d.degrees, d.minutes, d.seconds, d.hemisphere);
    return t;
}

}  // namespace

uint32_t AirportKey(std::string_view text) {
    uint32_t key = 0;
    for (size_t i = 0; i < 4; ++i) {
        const char c = i < text.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])))
                                       : (i == 3 && text.size() == 3 ? ' ' : '\0');
        key = key << 8 | static_cast<uint8_t>(c);
    }
    return key;
}

std::string AirportIdentifier(uint32_t key) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((key >> shift) & 0x7F);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\0')) out.pop_back();
    return out;
}

std::string AirportState(uint16_t state) {
    std::string out{static_cast<char>((state >> 8) & 0x7F), static_cast<char>(state & 0x7F)};
    while (!out.empty() && (out.back() == ' ' || out.back() == '\0')) out.pop_back();
    return out;
}

void AirportTable::Load(std::string_view bytes) {
    entries_.clear();
    const size_t records = std::min(bytes.size() / kRecordSize, kMaxEntries);
    entries_.reserve(records);
    for (size_t r = 0; r < records; ++r) {
        const std::string_view rec = bytes.substr(r * kRecordSize, kRecordSize);
        AirportEntry a;
        a.identifier = U32(rec, 0);
        if (a.identifier == 0) break;  // the end of the table, whatever follows
        // Tenths of the position unit in the file. A value off the globe (a
        // damaged file) is no position, never a wrapped-round one.
        const int64_t lon = static_cast<int64_t>(static_cast<int32_t>(U32(rec, 4))) * 10;
        const int64_t lat = static_cast<int64_t>(static_cast<int32_t>(U32(rec, 8))) * 10;
        const bool onGlobe = lon > 0 && lon <= 360 * int64_t{kUnitsPerDegree} && lat > 0 && lat <= 180 * int64_t{kUnitsPerDegree};
        a.lon = onGlobe ? static_cast<int32_t>(lon) : 0;
        a.lat = onGlobe ? static_cast<int32_t>(lat) : 0;
        a.elevation = static_cast<int16_t>(U16(rec, 12));
        a.state = U16(rec, 14);
        const std::string_view name = rec.substr(16, 18);
        a.name = std::string(name.substr(0, name.find('\0')));
        entries_.push_back(std::move(a));
    }
    loaded_ = true;
}

void AirportTable::MarkListed(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        std::string id = line.substr(0, 5);
        // The fourth and fifth go when they are below "0" (a blank, a tab).
        while (id.size() > 3 && static_cast<unsigned char>(id.back()) < '0') id.pop_back();
        if (id.size() == 5 && static_cast<unsigned char>(id[3]) < '0') id.resize(3);
        if (const auto i = Find(id)) entries_[*i].marked = true;
    }
}

std::optional<size_t> AirportTable::Find(std::string_view text) const {
    if (text.empty()) return std::nullopt;
    const uint32_t key = AirportKey(text);
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].identifier == key) return i;
    return std::nullopt;
}

std::vector<std::string> AirportLines(const AirportEntry& a) {
    const std::string head = AirportIdentifier(a.identifier) + " " + a.name + " " + AirportState(a.state);
    char alt[24];
    std::snprintf(alt, sizeof alt, "Alt %d ft", a.elevation);
    return {head, LatText(a.lat), LonText(a.lon), alt, PositionToLocator(a.lon, a.lat), head};
}

std::string AirportDialogText(const AirportTable& table, std::string_view text) {
    if (!table.Loaded()) return "Airport Data Base not loaded";
    const auto i = table.Find(text);
    if (!i) return "No Airport by that name found";
    const AirportEntry& a = table.Entries()[*i];
    return AirportIdentifier(a.identifier) + "  " + a.name + ", " + AirportState(a.state);
}

}  // namespace velmora
