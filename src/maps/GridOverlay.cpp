#include "maps/GridOverlay.h"

#include <algorithm>
#include <cstdio>

#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "geo/Utm.h"
#include "maps/MapColours.h"

namespace velmora {
namespace {

// Lines start at a multiple of the spacing at or before the view's edge.
int64_t FloorTo(int64_t v, int64_t step) { return (v >= 0 ? v : v - step + 1) / step * step; }

struct Span {
    int64_t first, last;
};

Span Lines(int32_t from, int32_t to, int32_t step, int32_t max) {
    return {std::clamp<int64_t>(FloorTo(from, step), 0, max), std::clamp<int64_t>(to, 0, max)};
}

void CentredText(Surface& s, const MapView& view, GeoPoint at, const std::string& text, Rgb colour) {
    const Projected p = view.Project(at);
    if (!p.visible) return;
    s.Text({p.pixel.x - 3 * static_cast<int>(text.size()), p.pixel.y}, text, colour);
}

}  // namespace

int GridLevel(int requested, int64_t span) {
    if (requested == 2 || requested == 4 || requested == 6) return requested;
    if (span > 10000000) return 2;
    if (span > 1000000) return 4;
    return 6;
}

GridSpacing GridSpacingFor(int level) {
    switch (level) {
        case 2: return {7200000, 3600000, 5};
        case 4: return {720000, 360000, 3};
        default: return {30000, 15000, 4};
    }
}

std::string UtmZoneLabel(int lonIndexDegrees, int southLatDegrees) {
    char text[16];
    const char band = UtmBand(southLatDegrees + 4.0);
    std::snprintf(text, sizeof text, "%d  %c", lonIndexDegrees / 6 + 1, band ? band : ' ');
    return text;
}

void DrawGeoLine(Surface& s, const MapView& view, GeoPoint from, GeoPoint to, int steps) {
    bool drawing = false;
    for (int i = 0; i <= steps; ++i) {
        const GeoPoint p{static_cast<int32_t>(from.lon + (int64_t(to.lon) - from.lon) * i / steps),
                         static_cast<int32_t>(from.lat + (int64_t(to.lat) - from.lat) * i / steps)};
        const Projected at = view.Project(p);
        if (!at.visible) {
            drawing = false;
            continue;
        }
        if (drawing) s.LineTo(at.pixel);
        else s.MoveTo(at.pixel);
        drawing = true;
    }
}

void GridLayer::DrawOver(Surface& s, const MapWindow& window) {
    const MapDisplayOptions& o = window.Options();
    if (o.capGrid) DrawCapGrid(s, window);
    if (o.utmZones) DrawUtmZones(s, window);
    if (o.grid != 0) DrawLocators(s, window);
}

void GridLayer::DrawLocators(Surface& s, const MapWindow& window) const {
    const MapView& view = window.View();
    const GeoRect v = view.Visible();
    const int level = GridLevel(window.Options().grid, int64_t(v.east) - v.west);
    const GridSpacing g = GridSpacingFor(level);
    const Rgb colour = MapColour(g.colour);
    s.SetPen(colour, 1);
    const Span across = Lines(v.west, v.east, g.lon, kLonUnitsMax);
    const Span down = Lines(v.north, v.south, g.lat, kLatUnitsMax);
    // A view far wider than the level would draw lines by the million.
    if ((across.last - across.first) / g.lon > 400 || (down.last - down.first) / g.lat > 400) return;
    const int steps = 16;
    for (int64_t lon = across.first; lon <= across.last; lon += g.lon)
        DrawGeoLine(s, view, {int32_t(lon), int32_t(down.first)}, {int32_t(lon), int32_t(down.last)}, steps);
    for (int64_t lat = down.first; lat <= down.last; lat += g.lat)
        DrawGeoLine(s, view, {int32_t(across.first), int32_t(lat)}, {int32_t(across.last), int32_t(lat)}, steps);
    // Names when a cell has room for them.
    const int64_t cellPixels = std::abs(view.Project({int32_t(across.first + g.lon), v.north}).pixel.x -
                                        view.Project({int32_t(across.first), v.north}).pixel.x);
    if (cellPixels < 51) return;
    s.SetFont(11);
    // The names a shade darker than their lines, to read on a light map.
    const Rgb text{static_cast<uint8_t>(colour.r / 2), static_cast<uint8_t>(colour.g / 2),
                   static_cast<uint8_t>(colour.b / 2)};
    for (int64_t lon = across.first; lon < across.last; lon += g.lon)
        for (int64_t lat = down.first; lat < down.last; lat += g.lat) {
            const GeoPoint centre{int32_t(lon + g.lon / 2), int32_t(lat + g.lat / 2)};
            CentredText(s, view, centre, PositionToLocator(centre.lon, centre.lat, level), text);
        }
}

void GridLayer::DrawUtmZones(Surface& s, const MapWindow& window) const {
    const MapView& view = window.View();
    const GeoRect v = view.Visible();
    const Rgb colour = MapColour(2);
    s.SetPen(colour, 1);
    s.SetFont(11);
    constexpr int32_t kZone = 6 * kUnitsPerDegree, kBand = 8 * kUnitsPerDegree;
    for (int lonIndex = 0; lonIndex < 360; lonIndex += 6) {
        const int32_t west = lonIndex * kUnitsPerDegree, east = west + kZone;
        if (east < v.west || west > v.east) continue;
        for (int north = 72; north > -80; north -= 8) {
            const int32_t top = kLatOrigin - north * kUnitsPerDegree, bottom = top + kBand;
            if (bottom < v.north || top > v.south) continue;
            DrawGeoLine(s, view, {west, top}, {east, top}, 8);
            DrawGeoLine(s, view, {west, top}, {west, bottom}, 8);
            DrawGeoLine(s, view, {east, top}, {east, bottom}, 8);
            DrawGeoLine(s, view, {west, bottom}, {east, bottom}, 8);
            CentredText(s, view, {west + kZone / 2, top + kBand / 2}, UtmZoneLabel(lonIndex, north - 8), colour);
        }
    }
}

// Civil Air Patrol search grids divide each sectional chart into cells of
// 15 minutes square, each in four quarters (A to D, reading like a book).
// The cell numbers belong to the charts; the lines and quarters are drawn.
void GridLayer::DrawCapGrid(Surface& s, const MapWindow& window) const {
    const MapView& view = window.View();
    const GeoRect v = view.Visible();
    constexpr int32_t kCell = 15 * 6000, kQuarter = kCell / 2;
    if ((int64_t(v.east) - v.west) / kCell > 120) return;  // too dense to read
    const Span across = Lines(v.west, v.east, kQuarter, kLonUnitsMax);
    const Span down = Lines(v.north, v.south, kQuarter, kLatUnitsMax);
    const Rgb colour = MapColour(9);
    for (int64_t lon = across.first; lon <= across.last; lon += kQuarter) {
        s.SetPen(colour, 1, lon % kCell == 0 ? PenStyle::kSolid : PenStyle::kDot);
        DrawGeoLine(s, view, {int32_t(lon), int32_t(down.first)}, {int32_t(lon), int32_t(down.last)}, 8);
    }
    for (int64_t lat = down.first; lat <= down.last; lat += kQuarter) {
        s.SetPen(colour, 1, lat % kCell == 0 ? PenStyle::kSolid : PenStyle::kDot);
        DrawGeoLine(s, view, {int32_t(across.first), int32_t(lat)}, {int32_t(across.last), int32_t(lat)}, 8);
    }
    const int64_t quarterPixels = std::abs(view.Project({int32_t(across.first + kQuarter), v.north}).pixel.x -
                                           view.Project({int32_t(across.first), v.north}).pixel.x);
    if (quarterPixels < 24) return;
    s.SetFont(11);
    for (int64_t lon = across.first; lon < across.last; lon += kQuarter)
        for (int64_t lat = down.first; lat < down.last; lat += kQuarter) {
            const bool east = (lon % kCell) != 0, south = (lat % kCell) != 0;
            const std::string quarter(1, static_cast<char>('A' + (south ? 2 : 0) + (east ? 1 : 0)));
            CentredText(s, view, {int32_t(lon + kQuarter / 2), int32_t(lat + kQuarter / 2)}, quarter, colour);
        }
}

}  // namespace velmora
