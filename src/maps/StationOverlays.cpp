// The station layer's overlays and questions: coverage and range circles,
// tracks in the hue of their altitude, path traces, the station under a
// click and the strip's texts.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "maps/MapColours.h"
#include "maps/MapReadout.h"
#include "maps/StationLayer.h"

namespace velmora {
namespace {

// One statute mile in position units: 69.1 miles a degree.
constexpr double kUnitsPerMile = 360000.0 / 69.1;

}  // namespace

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

namespace {
constexpr int kDxClusterIcon = 20;  // "20 DX Cluster": a spot, its frequency in lastInfo
}  // namespace

std::string SelectedStationText(const StationRecord& r) {
    char text[256];
    std::snprintf(text, sizeof text, "%s Packets %ld", std::string(r.callsign.View()).c_str(), long(r.packets));
    std::string out = std::string(text) + "  " + CursorPositionText({r.lon, r.lat});
    // A DX spot's station carries its frequency where others carry an altitude.
    if (r.specialIcon == kDxClusterIcon) {
        std::string_view freq = r.lastInfo.View();
        while (!freq.empty() && freq.front() == ' ') freq.remove_prefix(1);
        while (!freq.empty() && freq.back() == ' ') freq.remove_suffix(1);
        out += "  Freq " + std::string(freq);
    } else if (r.altitudeFeet != 0) {
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
