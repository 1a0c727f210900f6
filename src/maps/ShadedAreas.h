#pragma once
// Areas drawn filled over the map by a shade number (the alert level of a
// weather area): each an outline of one or more rings, as a map file holds
// them, shaded while its number is above 0.
#include <vector>

#include "maps/MapRecords.h"
#include "maps/MapWindow.h"

namespace velmora {

struct ShadedArea {
    std::vector<MapPoint> outline;  // a new ring at each pen 255
    GeoRect bounds;
    int shade = 0;
};

// Fill and edge of a shade: 1 yellow, 2 orange, 3 red, 4 blue, 5 violet.
Rgb ShadeFill(int shade);
Rgb ShadeEdge(int shade);

class ShadedAreaLayer final : public MapLayer {
public:
    void Add(ShadedArea area) { areas_.push_back(std::move(area)); }
    void SetShade(size_t area, int shade) {
        if (area < areas_.size()) areas_[area].shade = shade;
    }
    const std::vector<ShadedArea>& Areas() const { return areas_; }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    std::vector<ShadedArea> areas_;
};

}  // namespace velmora
