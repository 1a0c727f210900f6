#include "maps/OverlayFile.h"

#include <cctype>

#include "geo/Position.h"
#include "maps/MapColours.h"

namespace velmora {
namespace {

constexpr size_t kLineLimit = 128;

// A coordinate text up to its hemisphere letter: up to 9 characters,
// ending before a blank or control character or one of the letters.
std::string_view CoordinateText(std::string_view& rest, const char* letters) {
    size_t n = 0;
    while (n < rest.size() && n < 9 && static_cast<unsigned char>(rest[n]) >= '!' && rest[n] != letters[0] &&
           rest[n] != letters[1])
        ++n;
    const std::string_view text = rest.substr(0, n);
    rest.remove_prefix(n);
    return text;
}

// "4903.50" as degrees and minutes (the decimals dropped); nothing when it
// is no coordinate up to the limit.
std::optional<int32_t> CoordinateUnits(std::string_view text, int limit) {
    int64_t value = 0;
    size_t i = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 100000) return std::nullopt;
    }
    if (i == 0) return std::nullopt;
    if (i < text.size() && text[i] != '.') return std::nullopt;
    const int64_t degrees = value / 100, minutes = value % 100;
    if (minutes > 59 || degrees > limit || (degrees == limit && minutes > 0)) return std::nullopt;
    return static_cast<int32_t>(degrees * kUnitsPerDegree + minutes * 6000);
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

std::optional<OverlayEntry> ParseOverlayLine(std::string_view line, int16_t number) {
    if (line.size() > kLineLimit) line = line.substr(0, kLineLimit);
    if (line.size() <= 10 || line[0] == '*' || line[0] == '!' || line[0] == '#') return std::nullopt;
    const size_t bang = line.find('!');
    if (bang == std::string_view::npos) return std::nullopt;
    OverlayEntry e;
    e.overlayNumber = number;
    e.name = TrimRight(std::string(line.substr(0, std::min<size_t>(bang, 9))));
    std::string_view rest = line.substr(bang + 1);
    const std::string_view latText = CoordinateText(rest, "NS");
    if (rest.empty() || (rest[0] != 'N' && rest[0] != 'S')) return std::nullopt;
    const char ns = rest[0];
    rest.remove_prefix(1);
    if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/' || std::isalnum(static_cast<unsigned char>(rest[0])))) {
        // A letter here could be the table or the longitude's first digit's
        // place; a table is never a digit followed by more digits and a point.
        const bool table = !std::isdigit(static_cast<unsigned char>(rest[0])) || rest.size() < 2 ||
                           !std::isdigit(static_cast<unsigned char>(rest[1]));
        if (table) {
            e.symbolTable = rest[0];
            rest.remove_prefix(1);
        }
    }
    const std::string_view lonText = CoordinateText(rest, "EW");
    if (rest.empty() || (rest[0] != 'E' && rest[0] != 'W')) return std::nullopt;
    const char ew = rest[0];
    rest.remove_prefix(1);
    const auto lat = CoordinateUnits(latText, 90);
    const auto lon = CoordinateUnits(lonText, 180);
    if (!lat || !lon) return std::nullopt;
    e.lat = ns == 'N' ? kLatOrigin - *lat : kLatOrigin + *lat;
    e.lon = ew == 'E' ? kLonOrigin + *lon : kLonOrigin - *lon;
    if (!rest.empty()) {
        e.symbolCode = rest[0];
        rest.remove_prefix(1);
    }
    size_t n = 0;
    while (n < rest.size() && n < 31 && static_cast<unsigned char>(rest[n]) >= ' ') ++n;
    e.comment = std::string(rest.substr(0, n));
    return e;
}

std::vector<OverlayEntry> ParseOverlay(std::string_view text, int16_t number) {
    std::vector<OverlayEntry> out;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (auto e = ParseOverlayLine(line, number)) out.push_back(std::move(*e));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

std::string OverlayLabel(const OverlayEntry& e, int32_t scale, bool forced) {
    if (scale >= 400 && !forced) return {};
    if (scale < 75 && !e.comment.empty()) return e.name + " - " + e.comment;
    return e.name;
}

void OverlayLayer::DrawOver(Surface& s, const MapWindow& window) {
    if (!window.Options().overlay || entries_.empty()) return;
    const MapView& view = window.View();
    const GeoRect v = view.Visible();
    const Rgb colour = MapColour(13);
    s.SetPen(colour, 1);
    s.NoBrush();
    s.SetFont(12);
    for (const OverlayEntry& e : entries_) {
        if (e.lon < v.west || e.lon > v.east || e.lat < v.north || e.lat > v.south) continue;  // edges included
        const Projected p = view.Project({e.lon, e.lat});
        if (!p.visible) continue;
        s.Rectangle({p.pixel.x - 1, p.pixel.y - 1, p.pixel.x + 2, p.pixel.y + 2});
        const std::string label = OverlayLabel(e, view.Scale(), forceLabels_);
        if (!label.empty()) s.Text({p.pixel.x + 10, p.pixel.y + 4}, label, colour);
    }
}

}  // namespace velmora
