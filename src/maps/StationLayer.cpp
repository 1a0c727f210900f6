#include "maps/StationLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "maps/MapColours.h"
#include "maps/MapReadout.h"
#include "maps/SymbolArt.h"

namespace velmora {
namespace {

constexpr double kDegToRad = 0.017453292519943302;
// One statute mile in position units: 69.1 miles a degree.
constexpr double kUnitsPerMile = 360000.0 / 69.1;

bool ValidDirection(int d) { return d >= 0 && d <= 360; }

// An area object's comment: "Tyyxxcc" or with a line width "{n}".
struct AreaObject {
    int shape = 0, latOffset = 0, lonOffset = 0, colour = 0, corridor = 0;
};

// The comment after a plain-text position with the area symbol: the record
// keeps the whole report, and the area field follows "...W" or "...E" and
// the "l".
std::string_view AreaComment(std::string_view info) {
    for (size_t i = 8; i + 1 < info.size(); ++i) {
        if ((info[i] == 'W' || info[i] == 'E') && info[i + 1] == 'l' && info[i - 3] == '.') return info.substr(i + 2);
    }
    return {};
}

std::optional<AreaObject> ParseArea(std::string_view comment) {
    if (comment.size() <= 10) return std::nullopt;
    auto two = [&](size_t at) -> std::optional<int> {
        const char a = comment[at] == '/' ? '0' : comment[at], b = comment[at + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
        return (a - '0') * 10 + (b - '0');
    };
    if (comment[0] < '0' || comment[0] > '9') return std::nullopt;
    const auto lat = two(1), colour = two(3), lon = two(5);
    if (!lat || !colour || !lon) return std::nullopt;
    AreaObject a{comment[0] - '0', *lat, *lon, *colour, 0};
    const size_t open = comment.find('{'), close = comment.find('}');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open + 1) {
        int n = 0;
        for (size_t i = open + 1; i < close && comment[i] >= '0' && comment[i] <= '9'; ++i) n = n * 10 + (comment[i] - '0');
        a.corridor = n;
    }
    return a;
}

// The area shapes: 0 a box and 5 a filled one; of the published set, 1 and 6
// a line to the east and to the west, 2 and 7 an ellipse, 3 and 8 a
// triangle, 4 and 9 a box. The offsets reach right and down from the
// position (the line's direction aside).
void DrawArea(Surface& s, const MapView& v, const StationRecord& r, const AreaObject& a) {
    const int64_t dLat = int64_t(a.latOffset) * a.latOffset * 240, dLon = int64_t(a.lonOffset) * a.lonOffset * 240;
    const int shape = a.shape % 5;
    const bool filled = a.shape >= 5 && a.shape != 6;
    const Rgb colour = MapColour(a.colour % 32);
    auto px = [&](int64_t lon, int64_t lat) {
        const auto clamp32 = [](int64_t x) { return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)); };
        return Point{static_cast<int>(std::clamp<int64_t>(v.ProjectX(clamp32(lon)), -30000, 30000)),
                     static_cast<int>(std::clamp<int64_t>(v.ProjectY(clamp32(lat)), -30000, 30000))};
    };
    s.SetPen(colour, 2);
    if (filled) s.SetBrush(colour);
    else s.NoBrush();
    if (shape == 1) {
        const int64_t east = a.shape == 6 ? -dLon : dLon;
        s.MoveTo(px(r.lon, r.lat));
        s.LineTo(px(r.lon + east, r.lat + dLat));
        if (a.corridor > 0) {
            // The corridor either side of the line, n times 6910 units.
            const int64_t c = int64_t(a.corridor) * 6910;
            s.SetPen(colour, 1, PenStyle::kDash);
            s.MoveTo(px(r.lon, r.lat - c));
            s.LineTo(px(r.lon + east, r.lat + dLat - c));
            s.MoveTo(px(r.lon, r.lat + c));
            s.LineTo(px(r.lon + east, r.lat + dLat + c));
        }
    } else if (shape == 2) {
        const Point tl = px(r.lon - dLon, r.lat - dLat), br = px(r.lon + dLon, r.lat + dLat);
        s.Ellipse({tl.x, tl.y, br.x, br.y});
    } else if (shape == 3) {
        s.Polygon({px(r.lon, r.lat), px(r.lon + dLon, r.lat + dLat), px(r.lon - dLon, r.lat + dLat)});
    } else {
        const Point tl = px(r.lon, r.lat), br = px(r.lon + dLon, r.lat + dLat);
        s.Rectangle({tl.x, tl.y, br.x, br.y});
    }
    s.NoBrush();
}

std::string AgeText(TimeStamp now, TimeStamp heard) {
    const int64_t minutes = now > heard ? int64_t(now - heard) / 60 : 0;
    char text[24];
    std::snprintf(text, sizeof text, "%d:%02d", int(minutes / 60), int(minutes % 60));
    return text;
}

}  // namespace

bool PassesFilter(const StationRecord& r, StationFilter filter) {
    switch (filter) {
        case StationFilter::kAll: return true;
        case StationFilter::kDirect: return r.heardDirect != 0;
        case StationFilter::kFlagged: return r.flagged != 0;
        case StationFilter::kTracked: return r.track != 0;
        case StationFilter::kWeather: return r.isWeatherStation != 0;
    }
    return true;
}

Point DirectionVector(int degrees, int length) {
    int a = 90 - degrees;
    if (a < 0) a += 360;
    return {static_cast<int>(std::trunc(std::cos(a * kDegToRad) * length)),
            -static_cast<int>(std::trunc(std::sin(a * kDegToRad) * length))};
}

std::optional<int> PhgRadiusMiles(std::string_view phg) {
    if (phg.size() < 4 || phg[0] == '0') return std::nullopt;
    for (int i = 0; i < 4; ++i)
        if (phg[size_t(i)] < '0' || phg[size_t(i)] > '9') return std::nullopt;
    const double p = phg[0] - '0';
    const double power = p * p;
    const double height = phg[1] == '0' ? 0 : 10.0 * std::pow(2.0, phg[1] - '0');
    const double gain = phg[2] - '0';
    return static_cast<int>(std::sqrt(std::sqrt(gain * 0.5 * power * 0.1) * 2.0 * height));
}

std::optional<Rect> CircleBox(const MapView& view, GeoPoint c, double miles) {
    // A circle on the ground is wider in longitude away from the equator.
    const int wholeDegrees = static_cast<int>(LatDegreesFromUnits(c.lat));
    const double cosLat = std::max(0.01, std::cos(wholeDegrees * 0.017452006980802792));
    const int64_t halfLat = static_cast<int64_t>(miles * kUnitsPerMile);
    const int64_t halfLon = static_cast<int64_t>(miles * kUnitsPerMile / cosLat);
    auto at = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
    const Projected tl = view.Project({at(c.lon - halfLon), at(c.lat - halfLat)});
    const Projected br = view.Project({at(c.lon + halfLon), at(c.lat + halfLat)});
    if (!tl.visible || !br.visible) return std::nullopt;
    const int hw = (br.pixel.x - tl.pixel.x) / 2, hh = (br.pixel.y - tl.pixel.y) / 2;
    if (hw < 1 || hh < 1 || hw > 999 || hh > 999) return std::nullopt;
    return Rect{tl.pixel.x, tl.pixel.y, br.pixel.x, br.pixel.y};
}

Rgb HueWheel(int index) {
    index = std::clamp(index, 0, 255);
    const double h = index * 360.0 / 256.0 / 60.0;
    const int sector = static_cast<int>(h) % 6;
    const double f = h - std::floor(h);
    const uint8_t up = static_cast<uint8_t>(std::lround(255 * f)), down = static_cast<uint8_t>(255 - up);
    switch (sector) {
        case 0: return {255, up, 0};
        case 1: return {down, 255, 0};
        case 2: return {0, 255, up};
        case 3: return {0, down, 255};
        case 4: return {up, 0, 255};
        default: return {255, 0, down};
    }
}

void StationLayer::DrawOver(Surface& s, const MapWindow& w) {
    if (!scene_.stations) return;
    StationTable& t = *scene_.stations;
    const MapView& v = w.View();
    const MapDisplayOptions& o = w.Options();
    if (o.coverage || o.ranges) DrawCircles(s, w);
    DrawTracks(s, w);
    DrawTraces(s, w);
    gathered_.clear();
    // Lines and calls first, then every symbol over them, so that no call
    // hides a neighbour's symbol.
    std::vector<std::pair<StationIndex, Point>> shown;
    for (StationIndex i = 0; i < t.UsedCount(); ++i) {
        StationRecord& r = t.At(i);
        r.drawn = PassesFilter(r, o.filter) ? 1 : 0;
        if (!r.drawn || !r.InUse() || r.lon == 0 || r.lat == 0) continue;
        const Projected p = v.Project({r.lon, r.lat});
        if (!p.visible || p.pixel.x < 0 || p.pixel.y < 0 || p.pixel.x > v.Width() + 8 || p.pixel.y > v.Height() + 8)
            continue;
        DrawAnnotations(s, w, r, p.pixel);
        shown.emplace_back(i, p.pixel);
    }
    for (const auto& [i, p] : shown) {
        DrawStation(s, w, t.At(i), p);
        if (i == w.Selection().selected) {
            s.SetPen(Rgb{255, 0, 0}, 2);
            s.NoBrush();
            s.Rectangle({p.x - 10, p.y - 10, p.x + 10, p.y + 10});
        }
    }
    DrawFlashes(s, w);
}

void StationLayer::DrawFlashes(Surface& s, const MapWindow& w) const {
    if (!scene_.flashes) return;
    const StationTable& t = *scene_.stations;
    for (const StationFlash& f : *scene_.flashes) {
        const StationIndex i = t.Lookup(f.call);
        if (!t.ValidIndex(i) || !t.At(i).HasPosition()) continue;
        const Projected p = w.View().Project({t.At(i).lon, t.At(i).lat});
        if (!p.visible || p.pixel.x < 0 || p.pixel.y < 0 || p.pixel.x > 1999 || p.pixel.y > 1999) continue;
        const int half = 50 - 5 * std::clamp(f.step, 0, kFlashSteps - 1);
        s.SetDrawMode(DrawMode::kInvert);
        s.SetPen(Rgb{0, 0, 0}, 1);
        s.NoBrush();
        s.Rectangle({p.pixel.x - half, p.pixel.y - half, p.pixel.x + half, p.pixel.y + half});
        s.SetDrawMode(DrawMode::kCopy);
    }
}

std::optional<GeoPoint> DeadReckoned(const StationRecord& r, TimeStamp now) {
    if (r.speedKnots <= 0 || !ValidDirection(r.course) || !r.HasPosition() || now <= r.lastHeard) return std::nullopt;
    const double hours = std::min<double>(now - r.lastHeard, 1800) / 3600.0;
    const double miles = r.speedKnots * 1.15078 * hours;
    const double lat = LatDegreesFromUnits(r.lat);
    const double dLat = miles * std::cos(r.course * kDegToRad) / 69.1;
    const double dLon = miles * std::sin(r.course * kDegToRad) / (69.1 * std::max(0.01, std::cos(lat * kDegToRad)));
    return GeoPoint{LonUnitsFromDegrees(LonDegreesFromUnits(r.lon) + dLon), LatUnitsFromDegrees(lat + dLat)};
}

void StationLayer::DrawDeadReckoning(Surface& s, const MapWindow& w, const StationRecord& r, Point p) const {
    const auto to = DeadReckoned(r, scene_.now);
    if (!to) return;
    const Projected q = w.View().Project(*to);
    if (!q.visible || (std::abs(q.pixel.x - p.x) < 3 && std::abs(q.pixel.y - p.y) < 3)) return;
    s.SetPen(MapColour(12), 1, PenStyle::kDot);
    s.MoveTo(p);
    s.LineTo(q.pixel);
    s.SetPen(MapColour(12), 1);
    s.NoBrush();
    s.Ellipse({q.pixel.x - 4, q.pixel.y - 4, q.pixel.x + 5, q.pixel.y + 5});
}

std::string TrackPointText(const TrackPoint& p, GeoPoint own) {
    std::string out = CursorPositionText({p.lon, p.lat});
    char text[64];
    if (p.altitudeFeet != 0) {
        std::snprintf(text, sizeof text, " Altitude %ld", long(p.altitudeFeet));
        out += text;
    }
    if (p.course != 0 || p.speed != 0) {
        std::snprintf(text, sizeof text, " Cse %3d Spd %3d", p.course, p.speed);
        out += text;
    }
    if (own.lon > 0 && own.lat > 0) {
        std::snprintf(text, sizeof text, " Dist: %ld mi  %3d", long(DistanceMiles(own.lon, own.lat, p.lon, p.lat)),
                      BearingDegrees(own.lon, own.lat, p.lon, p.lat));
        out += text;
    }
    return out;
}

void StationLayer::DrawStation(Surface& s, const MapWindow& w, const StationRecord& r, Point p) {
    const MapDisplayOptions& o = w.Options();
    if (o.icons && scene_.symbols) {
        scene_.symbols->DrawSymbol(s, p, r.symbolTable, r.symbolCode);
    } else {
        const int g = PortGroupOf(r.sourceKind);
        const Rgb colour = g == kGroupHf ? MapColour(3) : g == kGroupVhf ? MapColour(6) : MapColour(12);
        s.SetPen(Rgb{0, 0, 0}, 1);
        s.SetBrush(colour);
        s.Rectangle({p.x - 3, p.y - 3, p.x + 4, p.y + 4});
        s.NoBrush();
    }
}

void StationLayer::DrawAnnotations(Surface& s, const MapWindow& w, const StationRecord& r, Point p) {
    const MapDisplayOptions& o = w.Options();
    if (r.symbolCode == 'l') {
        if (const auto area = ParseArea(AreaComment(r.lastInfo.View()))) DrawArea(s, w.View(), r, *area);
    }
    if (o.courseAndSpeed) DrawVectors(s, w, r, p);
    if (o.deadReckoning) DrawDeadReckoning(s, w, r, p);
    if (o.callSigns && w.View().UnadjustedScale() < kCallSignScaleLimit) DrawCallSign(s, w, r, p);
}

void StationLayer::DrawVectors(Surface& s, const MapWindow& w, const StationRecord& r, Point p) const {
    auto ray = [&](int degrees, int length, Rgb colour, int width) {
        const Point d = DirectionVector(degrees, length);
        s.SetPen(colour, width);
        s.MoveTo(p);
        s.LineTo({p.x + d.x, p.y + d.y});
    };
    if (ValidDirection(r.course) && r.speedKnots > 0) ray(r.course, std::min<int>(r.speedKnots, 2000), MapColour(3), 1);
    if (ValidDirection(r.windDirection) && r.windSpeedMph > 0)
        ray(r.windDirection, std::min(2 * r.windSpeedMph, 2000), MapColour(6), 2);
    if (ValidDirection(r.dfBearing) && r.dfQuality > 0) {
        ray(r.dfBearing, 400, MapColour(5), 1);
        if (r.dfBeamWidth > 0) {
            // The wedge reaches as far as the view is high.
            const int reach = w.View().Height();
            const Point a = DirectionVector(r.dfBearing - r.dfBeamWidth, reach);
            const Point b = DirectionVector(r.dfBearing + r.dfBeamWidth, reach);
            s.SetPen(MapColour(3), 1);
            s.MoveTo(p);
            s.LineTo({p.x + a.x, p.y + a.y});
            s.LineTo({p.x + b.x, p.y + b.y});
            s.LineTo(p);
        }
    }
}

void StationLayer::DrawCallSign(Surface& s, const MapWindow& w, const StationRecord& r, Point p) {
    const MapDisplayOptions& o = w.Options();
    std::string text(r.callsign.View());
    if (o.filter == StationFilter::kWeather && r.isWeatherStation) {
        char wx[48];
        std::snprintf(wx, sizeof wx, " %dF %d/%d", r.temperatureF, r.windDirection, r.windSpeedMph);
        text += wx;
    }
    s.SetFont(std::max(w.FontSize() - 2, 10), true);  // symbols leave their own font behind
    const int placement = r.labelPlacement > 0 ? r.labelPlacement : o.placement;
    const int width = s.TextWidth(text);
    Point at{p.x + 12, p.y + 4};
    if (placement == 3) at = {p.x - 8 - 7 - width, p.y + 4};
    else if (placement == 4) at = {p.x - 10, p.y - 10};
    else if (placement == 2) {
        // Stations on one spot list their calls one under another beside it.
        const std::pair<int, int> spot{p.x / 16, p.y / 16};
        const int before = static_cast<int>(std::count(gathered_.begin(), gathered_.end(), spot));
        gathered_.push_back(spot);
        at = {(p.x / 16) * 16 + 20, (p.y / 16) * 16 + 12 + before * s.TextHeight()};
    }
    // A white tag behind the call keeps it readable on any map.
    const int height = s.TextHeight();
    s.FillRect({at.x - 2, at.y - height + 2, at.x + width + 2, at.y + 3}, Rgb{255, 255, 255});
    s.Text(at, text, Rgb{0, 0, 0});
    if (o.age) s.Text({at.x, at.y + s.TextHeight()}, AgeText(scene_.now, r.lastHeard), Rgb{80, 80, 80});
}

void StationLayer::DrawCircles(Surface& s, const MapWindow& w) const {
    const StationTable& t = *scene_.stations;
    const MapView& v = w.View();
    const int scale = v.Scale();
    for (StationIndex i = 0; i < t.UsedCount(); ++i) {
        const StationRecord& r = t.At(i);
        if (!r.InUse() || !r.HasPosition() || !PassesFilter(r, w.Options().filter)) continue;
        const GeoPoint c{r.lon, r.lat};
        s.SetPen(MapColour(3), 1);
        s.NoBrush();
        if (w.Options().coverage) {
            if (const auto miles = PhgRadiusMiles(r.phg.View()))
                if (const auto box = CircleBox(v, c, *miles)) s.Ellipse(*box);
        }
        if (w.Options().ranges && (r.warning || r.danger)) {
            const int step = scale <= 2000 ? 5 : scale <= 4000 ? 10 : 20;
            const int limit = 45 - 10 * ((scale < 1001) + (scale < 501)) + (scale > 2000 ? 15 : 0) + (scale > 4000 ? 50 : 0);
            for (int radius = step; radius < limit; radius += step)
                if (const auto box = CircleBox(v, c, radius)) s.Ellipse(*box);
        }
    }
}

void StationLayer::DrawTracks(Surface& s, const MapWindow& w) const {
    const StationSelection& sel = w.Selection();
    if (!sel.track && !sel.allTracks) return;
    const StationTable& t = *scene_.stations;
    const MapView& v = w.View();
    for (StationIndex i = 0; i < t.UsedCount(); ++i) {
        if (!sel.allTracks && i != sel.selected) continue;
        const StationRecord& r = t.At(i);
        if (!r.InUse() || r.trackCount < 2) continue;
        size_t n = std::min<size_t>(size_t(r.trackCount), r.trackPoints.size());
        if (i == sel.selected && sel.replayPoints >= 0) n = std::min(n, size_t(sel.replayPoints));
        if (n == 0) continue;
        size_t highest = 0;
        for (size_t k = 1; k < n; ++k)
            if (r.trackPoints[k].altitudeFeet > r.trackPoints[highest].altitudeFeet) highest = k;
        for (size_t k = 1; k < n; ++k) {
            const TrackPoint& a = r.trackPoints[k - 1];
            const TrackPoint& b = r.trackPoints[k];
            if (a.lon <= 0 || b.lon <= 0) continue;
            const Rgb colour = r.trackColour ? MapColour(r.trackColour)
                                             : HueWheel(static_cast<int>(256.0 * b.altitudeFeet / 128000));
            const Projected pa = v.Project({a.lon, a.lat}), pb = v.Project({b.lon, b.lat});
            if (!pa.visible || !pb.visible) continue;
            s.SetPen(colour, 2);
            s.MoveTo(pa.pixel);
            s.LineTo(pb.pixel);
        }
        const TrackPoint& top = r.trackPoints[highest];
        if (r.symbolCode == 'O' && top.altitudeFeet > 0) {
            // A balloon's highest point, where it burst.
            const Projected pt = v.Project({top.lon, top.lat});
            if (!pt.visible) continue;
            s.SetPen(MapColour(12), 2);
            s.NoBrush();
            s.Ellipse({pt.pixel.x - 5, pt.pixel.y - 5, pt.pixel.x + 6, pt.pixel.y + 6});
            char text[48];
            std::snprintf(text, sizeof text, "Max Altitude %ld ft", long(top.altitudeFeet));
            s.Text({pt.pixel.x + 8, pt.pixel.y + 4}, text, MapColour(12));
        }
    }
}

void StationLayer::DrawTraces(Surface& s, const MapWindow& w) const {
    const StationSelection& sel = w.Selection();
    if (!sel.trace && !sel.allTraces) return;
    const StationTable& t = *scene_.stations;
    uint8_t colour = sel.traceColour;
    for (StationIndex i = 0; i < t.UsedCount(); ++i) {
        if (!sel.allTraces && i != sel.selected) continue;
        const StationRecord& r = t.At(i);
        if (!r.InUse() || !r.HasPosition()) continue;
        const std::vector<MapPoint> points = PathTrace(t, r, scene_.own, colour);
        if (points.size() < 2) continue;
        MapIndex index;
        index.Build(points);
        DrawMapPoints(s, w.View(), points, index, false);
        colour = static_cast<uint8_t>(colour % 15 + 1);
    }
}

int32_t StationAt(const StationTable& t, const MapView& view, Point click, int32_t selected) {
    const int32_t n = t.UsedCount();
    for (int32_t k = 1; k <= n; ++k) {
        const int32_t i = (selected + k) % n;
        if (i < 0) continue;
        const StationRecord& r = t.At(i);
        if (!r.drawn || !r.InUse() || r.lon == 0 || r.lat == 0) continue;
        const Projected p = view.Project({r.lon, r.lat});
        if (!p.visible) continue;
        if (click.x >= p.pixel.x - 8 && click.x < p.pixel.x + 8 && click.y >= p.pixel.y - 8 && click.y < p.pixel.y + 8)
            return i;
    }
    return -1;
}

std::string SelectedStationText(const StationRecord& r) {
    char text[256];
    std::snprintf(text, sizeof text, "%s Packets %ld", std::string(r.callsign.View()).c_str(), long(r.packets));
    std::string out = std::string(text) + "  " + CursorPositionText({r.lon, r.lat});
    if (r.altitudeFeet != 0) {
        std::snprintf(text, sizeof text, "  Altitude %ld", long(r.altitudeFeet));
        out += text;
    }
    if (r.speedKnots != 0) {
        std::snprintf(text, sizeof text, "  Cse %d Speed %d", r.course, r.speedKnots);
        out += text;
    }
    if (r.trackCount > 0) {
        std::snprintf(text, sizeof text, "  Track Pts %d", r.trackCount);
        out += text;
    } else {
        out += "  " + PositionToLocator(r.lon, r.lat);
    }
    return out;
}

std::vector<MapPoint> PathTrace(const StationTable& t, const StationRecord& r, GeoPoint own, uint8_t colour) {
    std::vector<MapPoint> points{{kPenMove, 1, r.lon, r.lat}};
    bool stopped = false;
    for (size_t k = 1; k < r.bestPath.size() && !stopped; ++k) {
        std::string entry(r.bestPath[k].View());
        if (entry.empty()) break;
        bool last = false;
        if (const size_t star = entry.find('*'); star != std::string::npos) {
            entry.resize(star);
            last = true;
        }
        if (k == 1 && entry.rfind("APR", 0) == 0) continue;
        for (const char* generic : {"WIDE", "GATE", "ECHO", "RELAY", "TRACE", "TCP"})
            if (entry.rfind(generic, 0) == 0) stopped = true;
        if (stopped) break;
        const StationIndex i = t.Lookup(entry);
        if (!t.ValidIndex(i) || !t.At(i).HasPosition()) {
            stopped = true;
            break;
        }
        points.push_back({colour, 1, t.At(i).lon, t.At(i).lat});
        if (last) break;
    }
    if (!stopped && own.lon > 0 && own.lat > 0) points.push_back({colour, 1, own.lon, own.lat});
    return points;
}

}  // namespace velmora
