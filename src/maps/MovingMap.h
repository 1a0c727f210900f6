#pragma once
// Moving maps: a window that follows a station (or the own position),
// checked at most every 5 seconds and recentred at most every minute, when
// the followed position has left the middle of the window.
#include <cstdint>
#include <optional>
#include <string>

#include "maps/MapView.h"

namespace velmora {

struct MovingMapState {
    bool on = false;
    std::string trackedCall;  // empty: the own position
    uint32_t lastCheck = 0, lastRecentre = 0;
};

// Whether a check is due now (a forced one, the space key, always is).
bool MovingMapCheckDue(const MovingMapState& s, uint32_t now, bool forced);
// The same span centred on the followed position, or nothing when it lies
// within 7 pixels of the centre both ways.
std::optional<GeoRect> MovingMapRecentre(const MapView& view, GeoPoint followed);

struct MovingMapFacts {
    int speed = 0, course = 0, altitude = 0, trackPoints = 0;
    std::string distance;
};
// "Spd: %3d  Cse: %2s  Alt: %3d  Trk: %3d  Dst:%s"
std::string MovingMapPanel(const MovingMapFacts& f);

}  // namespace velmora
