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
        const MapView::PixelXY xy = v.ProjectXY({clamp32(lon), clamp32(lat)});
        return Point{static_cast<int>(std::clamp<int64_t>(xy.x, -30000, 30000)),
                     static_cast<int>(std::clamp<int64_t>(xy.y, -30000, 30000))};
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

}  // namespace velmora
