#pragma once
// The stations over a map: the display filter, symbols or markers, call
// signs, course, wind and DF vectors, area objects, coverage and range
// circles, tracks and path traces; and finding the station under a click.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "maps/MapWindow.h"
#include "platform/Clock.h"
#include "stations/StationTable.h"

namespace velmora {

// Call signs are drawn while half the view's width is below this many miles.
constexpr double kCallSignScaleLimit = 1700;

// A new station's flash: inverted squares shrinking round it, a step a frame.
struct StationFlash {
    std::string call;
    int step = 0;  // 0..8: half-sides 50 down to 10 pixels
};
constexpr int kFlashSteps = 9;

// What the layer needs of the program at drawing time.
struct StationScene {
    StationTable* stations = nullptr;
    GeoPoint own;         // the own position, for path traces and distances
    TimeStamp now = 0;    // for the age display
    SymbolArtist* symbols = nullptr;
    const std::vector<StationFlash>* flashes = nullptr;
};

class StationLayer final : public MapLayer {
public:
    explicit StationLayer(StationScene scene) : scene_(scene) {}
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    void DrawStation(Surface& s, const MapWindow& w, const StationRecord& r, Point p);
    void DrawAnnotations(Surface& s, const MapWindow& w, const StationRecord& r, Point p);
    void DrawVectors(Surface& s, const MapWindow& w, const StationRecord& r, Point p) const;
    void DrawCallSign(Surface& s, const MapWindow& w, const StationRecord& r, Point p);
    void DrawCircles(Surface& s, const MapWindow& w) const;
    void DrawTracks(Surface& s, const MapWindow& w) const;
    void DrawTraces(Surface& s, const MapWindow& w) const;
    void DrawDeadReckoning(Surface& s, const MapWindow& w, const StationRecord& r, Point p) const;
    void DrawFlashes(Surface& s, const MapWindow& w) const;

    StationScene scene_;
    std::vector<std::pair<int, int>> gathered_;  // placement 2: icon spots and their labels so far
};

// Whether the window's filter shows a station.
bool PassesFilter(const StationRecord& r, StationFilter filter);

// The screen vector of a compass direction and a length in pixels.
Point DirectionVector(int degrees, int length);

// PHG "pghd": the coverage radius in miles (power p², height 10 × 2^h feet,
// gain g dB); nothing when the first digit is "0" or the field is short.
std::optional<int> PhgRadiusMiles(std::string_view phg);

// The projected box of a circle of this many miles, or nothing when either
// corner is off the map or it would be smaller than a pixel or huge.
std::optional<Rect> CircleBox(const MapView& view, GeoPoint centre, double miles);

// The hue wheel of altitude-coloured tracks: 256 steps, 0 red, 128 cyan.
Rgb HueWheel(int index);

// The station under a click: the next one after the selected one (then
// from the start) whose icon box holds the point; -1 for none.
int32_t StationAt(const StationTable& t, const MapView& view, Point click, int32_t selected);

// The status strip's text for a selected station.
std::string SelectedStationText(const StationRecord& r);

// Where a moving station should be by now: its last position moved along
// its course at its speed for the time since it was heard (at most half an
// hour); nothing for a station standing still.
std::optional<GeoPoint> DeadReckoned(const StationRecord& r, TimeStamp now);

// The strip's text for the last point of a replayed track.
std::string TrackPointText(const TrackPoint& p, GeoPoint own);

// The path trace of a station: its position, the digipeaters of its last
// path that are known with a position, then the own position; fewer than
// two points draw nothing.
std::vector<MapPoint> PathTrace(const StationTable& t, const StationRecord& r, GeoPoint own, uint8_t colour);

}  // namespace velmora
