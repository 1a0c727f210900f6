#include "maps/ShadedAreas.h"

#include <algorithm>

namespace velmora {
namespace {

bool Overlaps(const GeoRect& a, const GeoRect& b) {
    return a.west <= b.east && b.west <= a.east && a.north <= b.south && b.north <= a.south;
}

}  // namespace

Rgb ShadeFill(int shade) {
    switch (shade) {
        case 1: return {0xFF, 0xF2, 0x80};
        case 2: return {0xFF, 0xC0, 0x70};
        case 3: return {0xFF, 0x70, 0x70};
        case 4: return {0xA0, 0xC8, 0xFF};
        default: return {0xD0, 0xA0, 0xFF};
    }
}

Rgb ShadeEdge(int shade) {
    switch (shade) {
        case 1: return {0x99, 0x88, 0x00};
        case 2: return {0xC0, 0x60, 0x00};
        case 3: return {0xC0, 0x00, 0x00};
        case 4: return {0x00, 0x40, 0xC0};
        default: return {0x60, 0x00, 0xA0};
    }
}

void ShadedAreaLayer::DrawOver(Surface& s, const MapWindow& window) {
    const MapView& view = window.View();
    const GeoRect visible = view.Visible();
    for (const ShadedArea& a : areas_) {
        if (a.shade <= 0 || !Overlaps(a.bounds, visible)) continue;
        std::vector<Point> ring;
        const auto flush = [&] {
            if (ring.size() >= 3) {
                s.SetPen(ShadeEdge(a.shade), 1);
                // Through the shade the map's own lines and names still read.
                s.SetTranslucentBrush(ShadeFill(a.shade), 150);
                s.Polygon(ring);
                s.NoBrush();
            }
            ring.clear();
        };
        for (const MapPoint& p : a.outline) {
            if (p.pen == kPenEnd && p.lon == 0 && p.lat == 0) break;
            if (p.pen == 255) flush();
            const MapView::PixelXY xy = view.ProjectXY({p.lon, p.lat});
            ring.push_back({static_cast<int>(std::clamp<int64_t>(xy.x, -30000, 30000)),
                            static_cast<int>(std::clamp<int64_t>(xy.y, -30000, 30000))});
        }
        flush();
    }
}

}  // namespace velmora
