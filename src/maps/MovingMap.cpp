#include "maps/MovingMap.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {

bool MovingMapCheckDue(const MovingMapState& s, uint32_t now, bool forced) {
    if (!s.on) return false;
    if (forced) return true;
    return now - s.lastCheck >= 5 && now - s.lastRecentre > 60;
}

std::optional<GeoRect> MovingMapRecentre(const MapView& view, GeoPoint followed) {
    const Projected p = view.Project(followed);
    const int cx = view.Width() / 2, cy = view.Height() / 2;
    if (p.visible && std::abs(p.pixel.x - cx) <= 7 && std::abs(p.pixel.y - cy) <= 7) return std::nullopt;
    const int64_t halfX = (int64_t(view.VisibleRight()) - view.Requested().west) / 2;
    const int64_t halfY = (int64_t(view.VisibleBottom()) - view.Requested().north) / 2;
    return GeoRect{static_cast<int32_t>(followed.lon - halfX), static_cast<int32_t>(followed.lon + halfX),
                   static_cast<int32_t>(followed.lat - halfY), static_cast<int32_t>(followed.lat + halfY)};
}

std::string MovingMapPanel(const MovingMapFacts& f) {
    static constexpr const char* kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW", "N"};
    const int course = ((f.course % 360) + 360) % 360;
    char text[160];
    std::snprintf(text, sizeof text, "Spd: %3d  Cse: %2s  Alt: %3d  Trk: %3d  Dst:%s", f.speed,
                  kPoints[(course + 22) / 45], f.altitude, f.trackPoints, f.distance.c_str());
    return text;
}

}  // namespace velmora
