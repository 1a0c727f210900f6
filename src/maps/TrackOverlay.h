#pragma once
// A track drawn over every map window (a GPS's downloaded track log): a
// polyline in map-point form, where pen code 255 starts a new piece.
#include <vector>

#include "maps/MapRecords.h"
#include "maps/MapWindow.h"

namespace velmora {

// A downloaded track as map points: pen 12, a new piece after a point that
// ends a track (pen 255), closed by a zero record.
struct TrackPiecePoint {
    int32_t lon, lat;
    bool endsTrack;
};
std::vector<MapPoint> TrackOverlayPoints(const std::vector<TrackPiecePoint>& track);

class TrackOverlay final : public MapLayer {
public:
    void SetPoints(std::vector<MapPoint> points) { points_ = std::move(points); }
    const std::vector<MapPoint>& Points() const { return points_; }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    std::vector<MapPoint> points_;
};

}  // namespace velmora
