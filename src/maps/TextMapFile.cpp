// The text map form: eight header lines, a point section of plain pairs,
// compressed triplets or whole compressed polylines, an end mark, and
// labels as "text,lat,lon,scale".
#include <algorithm>
#include <cctype>
#include <charconv>

#include "geo/Position.h"
#include "maps/MapFiles.h"

namespace velmora {
namespace {

constexpr size_t kHeaderLineLimit = 254;
constexpr size_t kPointLineLimit = 2046;

// Lines of a text map: CR, LF or CR LF endings, blank lines skipped, each
// cut at a limit (the rest of an over-long line goes with it).
class MapLines {
public:
    explicit MapLines(std::string_view bytes) : rest_(bytes) {}
    std::optional<std::string_view> Next(size_t limit) {
        while (!rest_.empty()) {
            const size_t end = rest_.find_first_of("\r\n");
            std::string_view line = rest_.substr(0, end);
            rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
            if (line.empty()) continue;
            return line.substr(0, limit);
        }
        return std::nullopt;
    }

private:
    std::string_view rest_;
};

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// The leading number of a text, as scanf reads it; nothing when there is none.
template <typename T>
std::optional<T> LeadingNumber(std::string_view& s) {
    s = SkipBlanks(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc()) return std::nullopt;
    s.remove_prefix(static_cast<size_t>(end - s.data()));
    return value;
}

template <typename T>
T NumberOr(std::optional<std::string_view> line, T fallback) {
    if (!line) return fallback;
    std::string_view s = *line;
    return LeadingNumber<T>(s).value_or(fallback);
}

struct TextHeader {
    double cornerLat = 0, cornerLon = 0;  // top left; longitude west positive
    long scale = 0;                       // map units per degree
    double centreLat = 0, centreLon = 0;
    std::string keyword;
};

std::optional<TextHeader> ParseHeader(MapLines& lines) {
    TextHeader h;
    h.cornerLat = NumberOr<double>(lines.Next(kHeaderLineLimit), 0);
    h.cornerLon = NumberOr<double>(lines.Next(kHeaderLineLimit), 0);
    h.scale = NumberOr<long>(lines.Next(kHeaderLineLimit), 0);
    h.centreLat = NumberOr<double>(lines.Next(kHeaderLineLimit), 0);
    h.centreLon = NumberOr<double>(lines.Next(kHeaderLineLimit), 0);
    lines.Next(kHeaderLineLimit);  // two values carried by the format, not used
    lines.Next(kHeaderLineLimit);
    const auto keyword = lines.Next(kHeaderLineLimit);
    if (keyword) h.keyword = std::string(SkipBlanks(*keyword));
    // A scale below one map unit a degree places nothing anywhere.
    if (h.scale < 1) return std::nullopt;
    return h;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

int32_t ClampUnits(double v) { return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)); }

MapPoint ToPoint(const TextHeader& h, long x, long y, uint8_t pen) {
    x = std::clamp(x, -1000000000L, 1000000000L);
    y = std::clamp(y, -1000000000L, 1000000000L);
    const double lon = 64800000.0 - (360000.0 * h.cornerLon - double(x * 360000 / h.scale));
    const double lat = 32400000.0 - (360000.0 * h.cornerLat - double(y * 360000 / h.scale));
    return MapPoint{pen, 0, ClampUnits(lon), ClampUnits(lat)};
}

// Colour 0 would read back as the end of the list and 255 as a move, so
// codes outside 1..254 draw in black (code 16).
uint8_t PenFor(long colour) { return colour >= 1 && colour <= 254 ? static_cast<uint8_t>(colour) : 16; }

unsigned char At(std::string_view s, size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0; }

struct PointSink {
    const TextHeader& header;
    size_t capacity;
    std::vector<MapPoint>& points;
    void Add(long x, long y, uint8_t pen) {
        if (points.size() < capacity) points.push_back(ToPoint(header, x, y, pen));
    }
};

bool IsDigitCommaDigit(std::string_view s) {
    return s.size() == 3 && std::isdigit(At(s, 0)) && s[1] == ',' && std::isdigit(At(s, 2));
}

std::optional<std::pair<long, long>> ParsePair(std::string_view s) {
    std::string_view a, b;
    if (const size_t comma = s.find(','); comma != std::string_view::npos) {
        a = s.substr(0, comma), b = s.substr(comma + 1);
    } else {
        s = SkipBlanks(s);
        const size_t blank = s.find_first_of(" \t");
        if (blank == std::string_view::npos) return std::nullopt;
        a = s.substr(0, blank), b = s.substr(blank + 1);
    }
    const auto x = LeadingNumber<long>(a);
    const auto y = LeadingNumber<long>(b);
    if (!x || !y) return std::nullopt;  // not a point at all: skipped
    return std::pair{*x, *y};
}

void ReadPlainPoints(MapLines& lines, PointSink& sink) {
    bool newPolyline = true;
    long colour = 0;
    while (const auto line = lines.Next(kPointLineLimit)) {
        if (StartsWith(*line, "*")) continue;
        std::optional<std::pair<long, long>> xy;
        if (line->size() <= 3 && !IsDigitCommaDigit(*line)) {
            const MapUnitsXy p = ExpandCompressedPoint(At(*line, 0), At(*line, 1), At(*line, 2));
            xy = std::pair{p.x, p.y};
        } else {
            xy = ParsePair(*line);
        }
        if (!xy) continue;
        if (xy->first == 0 && xy->second == -1) return;
        if (xy->first == 0 && xy->second == 0) {
            colour = NumberOr<long>(lines.Next(kPointLineLimit), 0);
            newPolyline = true;
            continue;
        }
        sink.Add(xy->first, xy->second, newPolyline ? kPenMove : PenFor(colour));
        newPolyline = false;
    }
}

void ReadLineFormatPoints(MapLines& lines, PointSink& sink, MapNotices& notices) {
    while (const auto line = lines.Next(kPointLineLimit)) {
        if (StartsWith(*line, "*")) continue;
        if (!std::isdigit(At(*line, 0)) || line->find(',') == std::string_view::npos) {
            if (!StartsWith(*line, "-")) notices.messages.emplace_back("Invalid Compressed line format");
            return;
        }
        std::string_view rest = *line;
        const long colour = LeadingNumber<long>(rest).value_or(0);
        if (StartsWith(rest, ",")) rest.remove_prefix(1);
        for (size_t i = 0; i + 3 <= rest.size(); i += 3) {
            const MapUnitsXy p = ExpandCompressedPoint(At(rest, i), At(rest, i + 1), At(rest, i + 2));
            sink.Add(p.x, p.y, i == 0 ? kPenMove : PenFor(colour));
        }
    }
}

void ReadLabels(MapLines& lines, size_t capacity, std::vector<MapLabel>& labels) {
    lines.Next(kHeaderLineLimit);  // the line after the end mark
    while (const auto line = lines.Next(kHeaderLineLimit)) {
        const size_t comma = line->find(',');
        if (line->size() <= 5 || comma == std::string_view::npos) continue;
        std::string_view rest = line->substr(comma + 1);
        const auto lat = LeadingNumber<double>(rest);
        rest = SkipBlanks(rest);
        if (StartsWith(rest, ",")) rest.remove_prefix(1);
        const auto lon = LeadingNumber<double>(rest);
        rest = SkipBlanks(rest);
        if (StartsWith(rest, ",")) rest.remove_prefix(1);
        const long scale = LeadingNumber<long>(rest).value_or(0);
        if (!lat || !lon || labels.size() >= capacity) continue;
        MapLabel l;
        l.code = 1;
        l.text = std::string(line->substr(0, std::min<size_t>(comma, 31)));
        l.lon = ClampUnits(64800000.0 - 360000.0 * *lon);
        l.lat = ClampUnits(32400000.0 - 360000.0 * *lat);
        l.scaleLimit = static_cast<int16_t>(std::clamp(scale, -32768L, 32767L));
        labels.push_back(std::move(l));
    }
}

void BoundsFromPoints(MapDescriptor& d, const std::vector<MapPoint>& points) {
    if (points.empty()) return;
    d.west = d.north = INT32_MAX;
    d.east = d.south = INT32_MIN;
    for (const MapPoint& p : points) {
        d.west = std::min(d.west, p.lon), d.east = std::max(d.east, p.lon);
        d.north = std::min(d.north, p.lat), d.south = std::max(d.south, p.lat);
    }
}

}  // namespace

MapUnitsXy ExpandCompressedPoint(unsigned char c0, unsigned char c1, unsigned char c2) {
    return {16L * (c0 - 27) + (c2 - 27) / 8, 8L * (c1 - 27) + (c2 - 27) % 8};
}

bool HasTextMapName(std::string_view name) {
    if (name.size() < 4) return false;
    std::string tail(name.substr(name.size() - 4));
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == ".MAP";
}

std::optional<MapDescriptor> ReadTextHeader(std::string_view bytes, std::string_view fileName) {
    if (!HasTextMapName(fileName)) return std::nullopt;
    MapLines lines(bytes);
    const auto h = ParseHeader(lines);
    if (!h) return std::nullopt;
    MapDescriptor d;
    d.mapType = {'D', 'O', 'S', ' '};
    d.fileName = std::string(fileName.substr(0, 31));
    d.title = d.fileName;
    d.creator = "<DOS>";
    const double halfWidth = 1024.0 / double(h->scale), halfHeight = 512.0 / double(h->scale);
    d.west = LonUnitsFromDegrees(-(h->centreLon + halfWidth));
    d.east = LonUnitsFromDegrees(-(h->centreLon - halfWidth));
    d.north = LatUnitsFromDegrees(h->centreLat + halfHeight);
    d.south = LatUnitsFromDegrees(h->centreLat - halfHeight);
    d.valid = true;
    return d;
}

MapLoadStatus ReadTextMap(std::string_view file, MapDescriptor& d, TextMapCapacity capacity, LoadedMap& out,
                          MapNotices& notices) {
    MapLines lines(file);
    const auto h = ParseHeader(lines);
    if (!h) return MapLoadStatus::kNotAMap;
    out.points.clear();
    out.labels.clear();
    PointSink sink{*h, capacity.points, out.points};
    if (h->keyword.substr(0, 10) == "LineFormat") ReadLineFormatPoints(lines, sink, notices);
    else ReadPlainPoints(lines, sink);
    ReadLabels(lines, capacity.labels, out.labels);
    BoundsFromPoints(d, out.points);
    d.pointCount = static_cast<int32_t>(out.points.size());
    d.labelCount = static_cast<int32_t>(out.labels.size());
    return MapLoadStatus::kLoaded;
}

}  // namespace velmora
