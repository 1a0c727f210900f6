#pragma once
// Grids over a map window: Maidenhead squares at 2, 4 or 6 characters
// (or the level the view's span calls for), the UTM zones with their band
// letters, and the Civil Air Patrol's 15-minute grid with its quarters.
// What a window shows is in its display options; the layer draws it.
#include <cstdint>
#include <string>

#include "maps/MapWindow.h"

namespace velmora {

// The locator level for a visible longitude span (position units), or the
// one asked for: 2, 4 or 6.
int GridLevel(int requested, int64_t span);

struct GridSpacing {
    int32_t lon, lat;  // position units between lines
    int colour;        // map colour code
};
GridSpacing GridSpacingFor(int level);

// The "%d  %c" label of a UTM zone cell: zone number and band letter.
std::string UtmZoneLabel(int lonIndexDegrees, int southLatDegrees);

class GridLayer final : public MapLayer {
public:
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    void DrawLocators(Surface& s, const MapWindow& window) const;
    void DrawUtmZones(Surface& s, const MapWindow& window) const;
    void DrawCapGrid(Surface& s, const MapWindow& window) const;
};

// A line of constant longitude or latitude between two positions, drawn
// in steps so that it follows any projection; a step off the map breaks it.
void DrawGeoLine(Surface& s, const MapView& view, GeoPoint from, GeoPoint to, int steps);

}  // namespace velmora
