// The binary map forms: a 256-byte big-endian header, then 10-byte points
// and 44-byte labels, or the compact form's 6-byte points and
// variable-length labels.
#include <cstdio>
#include <cstring>

#include "geo/Position.h"
#include "geo/Utm.h"
#include "maps/MapBytes.h"
#include "maps/MapFiles.h"

namespace velmora {
namespace {

constexpr const char* kBinaryMagics[] = {"APRS", "QMZ7", "ZOOM", "100K", "DCW ", "TGR ", "MAP2", "UTM ", "COMP"};

MagicText Magic(const BigEndianBytes& b, size_t at) {
    MagicText m{};
    for (size_t i = 0; i < 4; ++i) m[i] = static_cast<char>(b.U8(at + i));
    return m;
}

bool Is(const MagicText& m, const char* text) { return std::memcmp(m.data(), text, 4) == 0; }

// "1.00", "Beta" and "BETA" count tenths of a second; only the first two
// store their points and labels that way too.
bool OldHeader(const MagicText& v) { return Is(v, "1.00") || Is(v, "Beta") || Is(v, "BETA"); }
bool OldRecords(const MagicText& v) { return Is(v, "1.00") || Is(v, "Beta"); }

std::optional<std::pair<int32_t, int32_t>> UtmToUnits(const MapDescriptor& d, int32_t easting, int32_t northing) {
    const double e = double(easting) - d.utmEastingOrigin;
    const double n = double(northing) - d.utmNorthingOrigin;
    const auto p = UtmToLatLon(d.utmZone, e, n);
    if (!p || !(p->lat > -90 && p->lat < 90 && p->lon > -540 && p->lon < 540)) return std::nullopt;
    return std::pair{LonUnitsFromDegrees(p->lon), LatUnitsFromDegrees(p->lat)};
}

// Corner 1 is (easting at 84, northing at 92), corner 2 (easting at 88,
// northing at 96).
void ConvertUtmBounds(MapDescriptor& d) {
    const auto c1 = UtmToUnits(d, d.west, d.north);
    const auto c2 = UtmToUnits(d, d.east, d.south);
    if (!c1 || !c2) {
        d.west = d.east = d.north = d.south = 0;
    } else {
        d.west = c1->first;
        d.east = c2->first;
        d.north = c2->second;
        d.south = c1->second;
    }
    d.version = {'2', '.', '0', '0'};
}

void TellShortFile(MapNotices& notices, size_t bytesRead, int64_t shouldHave) {
    char text[160];
    std::snprintf(text, sizeof text, "End of File before end of data %ld bytes read, should have been %ld",
                  static_cast<long>(bytesRead), static_cast<long>(shouldHave));
    notices.messages.emplace_back(text);
}

// How many whole records of the point block the file holds; 0 with the
// load failed when it holds too few.
std::optional<size_t> PointRecords(std::string_view file, const MapDescriptor& d, size_t recordSize,
                                   MapNotices& notices) {
    const int64_t want = int64_t(d.pointCount) * int64_t(recordSize);
    const size_t available = file.size() - kMapHeaderSize;
    if (int64_t(available) >= want) return static_cast<size_t>(d.pointCount);
    TellShortFile(notices, available, want);
    const size_t whole = available / recordSize;
    if (whole > 100) return whole;  // a damaged tail: keep what came
    return std::nullopt;
}

void ReadTenBytePoints(const BigEndianBytes& b, const MapDescriptor& d, size_t count, LoadedMap& out) {
    const bool scale = OldRecords(d.version);
    const bool utm = Is(d.mapType, "UTM ");
    out.points.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kMapHeaderSize + i * kPointRecordSize;
        MapPoint p{b.U8(at), b.U8(at + 1), b.I32(at + 2), b.I32(at + 6)};
        if (scale) p.lon = TimesTen(p.lon), p.lat = TimesTen(p.lat);
        if (utm && p.pen != kPenEnd) {
            const auto units = UtmToUnits(d, p.lon, p.lat);
            if (!units) continue;
            p.lon = units->first, p.lat = units->second;
        }
        out.points.push_back(p);
    }
}

void ReadTenByteLabels(const BigEndianBytes& b, const MapDescriptor& d, LoadedMap& out, MapNotices& notices) {
    const bool scale = OldRecords(d.version);
    size_t at = kMapHeaderSize + size_t(d.pointCount) * kPointRecordSize;
    for (int32_t i = 0; i < d.labelCount; ++i, at += kLabelRecordSize) {
        if (!b.Has(at, kLabelRecordSize)) {
            ++notices.beeps;  // a failed read ends the list there
            return;
        }
        MapLabel l{b.U8(at), b.I32(at + 2), b.I32(at + 6), b.I16(at + 10), b.Text(at + 12, 32, 31)};
        if (l.code == 0) return;
        if (scale) l.lon = TimesTen(l.lon), l.lat = TimesTen(l.lat);
        out.labels.push_back(std::move(l));
    }
}

// The compact form counts from a base a little inside the north-west
// corner: whole minutes, one further for a western longitude or a northern
// latitude.
std::pair<int32_t, int32_t> CompactBase(const MapDescriptor& d) {
    auto whole = [](int64_t signedUnits, bool addMinute) {
        const int64_t a = signedUnits < 0 ? -signedUnits : signedUnits;
        const int64_t minutes = (a / kUnitsPerDegree) * 60 + (a % kUnitsPerDegree) / 6000 + (addMinute ? 1 : 0);
        return signedUnits < 0 ? -minutes * 6000 : minutes * 6000;
    };
    const int64_t east = int64_t(d.west) - kLonOrigin;
    const int64_t north = int64_t(kLatOrigin) - d.north;
    const int64_t lon = kLonOrigin + whole(east, east < 0);
    const int64_t lat = kLatOrigin - whole(north, north >= 0);
    return {Saturated(lon), Saturated(lat)};
}

void ReadCompactPoints(const BigEndianBytes& b, const MapDescriptor& d, size_t count, LoadedMap& out) {
    const auto [baseLon, baseLat] = CompactBase(d);
    out.points.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kMapHeaderSize + i * kCompactPointSize;
        out.points.push_back(MapPoint{b.U8(at), b.U8(at + 1), Saturated(int64_t(baseLon) + 10 * b.U16(at + 2)),
                                      Saturated(int64_t(baseLat) + 10 * b.U16(at + 4))});
    }
}

void ReadCompactLabels(const BigEndianBytes& b, const MapDescriptor& d, LoadedMap& out) {
    size_t at = kMapHeaderSize + size_t(d.pointCount) * kCompactPointSize;
    const size_t end = std::min(b.Size(), at + size_t(d.labelCount) * kLabelRecordSize);
    while (int64_t(out.labels.size()) < d.labelCount && at + 12 <= end) {
        MapLabel l{b.U8(at), TimesTen(b.I32(at + 2)), TimesTen(b.I32(at + 6)), b.I16(at + 10), {}};
        if (l.code == 0) return;
        at += 12;
        while (at < end && l.text.size() < 32 && b.U8(at) != 0) l.text.push_back(static_cast<char>(b.U8(at++)));
        while (at < end && b.U8(at) == 0) ++at;
        while (!l.text.empty() && l.text.back() == ' ') l.text.pop_back();
        if (l.text.size() > 31) l.text.resize(31);
        out.labels.push_back(std::move(l));
    }
}

}  // namespace

bool IsBinaryMapMagic(std::string_view magic) {
    if (magic.size() < 4) return false;
    for (const char* m : kBinaryMagics)
        if (magic.substr(0, 4) == m) return true;
    return false;
}

std::optional<MapDescriptor> ReadBinaryHeader(std::string_view bytes) {
    const BigEndianBytes b(bytes);
    if (b.Size() < kMapHeaderSize || !IsBinaryMapMagic(bytes.substr(0, 4))) return std::nullopt;
    MapDescriptor d;
    d.mapType = Magic(b, 0);
    d.version = Magic(b, 4);
    d.title = b.Text(40, 32, 31);
    d.creator = b.Text(72, 8, 7);
    d.created = b.U32(80);
    d.west = b.I32(84), d.east = b.I32(88), d.north = b.I32(92), d.south = b.I32(96);
    d.further1 = b.I32(100), d.further2 = b.I32(104);
    d.pointCount = b.I32(108), d.labelCount = b.I32(112);
    d.utmZone = b.I32(116), d.utmEastingOrigin = b.I32(120), d.utmNorthingOrigin = b.I32(124);
    if (OldHeader(d.version)) {
        d.west = TimesTen(d.west), d.east = TimesTen(d.east);
        d.north = TimesTen(d.north), d.south = TimesTen(d.south);
        d.further1 = TimesTen(d.further1);
    }
    if (bytes.substr(128, 4) == "VBG1") {
        d.background = Rgb{b.U8(132), b.U8(133), b.U8(134)};
        d.unlistedFill = Rgb{b.U8(135), b.U8(136), b.U8(137)};
    }
    if (Is(d.mapType, "UTM ")) ConvertUtmBounds(d);
    d.valid = true;
    return d;
}

MapLoadStatus ReadBinaryMap(std::string_view file, MapDescriptor& d, LoadedMap& out, MapNotices& notices) {
    const BigEndianBytes b(file);
    if (file.size() < kMapHeaderSize) {
        TellShortFile(notices, file.size(), int64_t(kMapHeaderSize));
        return MapLoadStatus::kShortFile;
    }
    if (d.pointCount < 0 || d.labelCount < 0) {
        notices.messages.emplace_back("Out of memory");
        return MapLoadStatus::kOutOfMemory;
    }
    const bool compact = Is(d.mapType, "COMP");
    const auto count = PointRecords(file, d, compact ? kCompactPointSize : kPointRecordSize, notices);
    if (!count) return MapLoadStatus::kShortFile;
    out.points.clear();
    out.labels.clear();
    if (compact) {
        ReadCompactPoints(b, d, *count, out);
        ReadCompactLabels(b, d, out);
    } else {
        ReadTenBytePoints(b, d, *count, out);
        ReadTenByteLabels(b, d, out, notices);
    }
    d.pointCount = static_cast<int32_t>(out.points.size());
    d.labelCount = static_cast<int32_t>(out.labels.size());
    if (Is(d.mapType, "UTM ")) notices.messages.emplace_back("UTM support not finished");
    return MapLoadStatus::kLoaded;
}

}  // namespace velmora
