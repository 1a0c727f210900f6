#include "maps/TrackOverlay.h"

#include "maps/MapColours.h"

namespace velmora {

std::vector<MapPoint> TrackOverlayPoints(const std::vector<TrackPiecePoint>& track) {
    std::vector<MapPoint> out;
    bool breakNext = false;
    for (const TrackPiecePoint& t : track) {
        out.push_back({static_cast<uint8_t>(breakNext ? 255 : 12), 1, t.lon, t.lat});
        breakNext = t.endsTrack;
    }
    out.push_back(MapPoint{});
    return out;
}

void TrackOverlay::DrawOver(Surface& s, const MapWindow& window) {
    if (points_.empty()) return;
    s.SetPen(MapColour(12), 2);
    bool drawing = false;
    for (const MapPoint& p : points_) {
        if (p.pen == kPenEnd && p.lon == 0 && p.lat == 0) break;  // the closing record
        const Projected at = window.View().Project({p.lon, p.lat});
        if (!at.visible || p.pen == 255) {
            // Off the map, or the first point of a new piece: move there.
            drawing = at.visible;
            if (at.visible) s.MoveTo(at.pixel);
            continue;
        }
        if (!drawing) {
            s.MoveTo(at.pixel);
            drawing = true;
            continue;
        }
        s.LineTo(at.pixel);
    }
}

}  // namespace velmora
