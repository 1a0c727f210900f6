#pragma once
// Direction-finding bearing lines over the maps: each from the observer's
// pixel, 1000 pixels along the bearing, its pen by the report's quality
// (2 pixels for 4 to 6, 3 for 7 to 9, else 1).
#include <vector>

#include "maps/MapWindow.h"

namespace velmora {

struct BearingSegment {
    GeoPoint start;
    int dx = 0, dy = 0;
    int quality = 0;
    int type = 0;  // -1 an older kept line (colour 6), -2 the newest (colour 3)
};

int BearingPenWidth(int quality);

class BearingLayer final : public MapLayer {
public:
    void Set(std::vector<BearingSegment> lines) { lines_ = std::move(lines); }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    std::vector<BearingSegment> lines_;
};

}  // namespace velmora
