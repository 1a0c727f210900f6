#pragma once
// A map window without its toolkit: the size, the view, the map shown and
// its index, the display options, the reference point and the status
// strip. The desktop draws it into an image and shows that; the console
// renders it to a file. Either way the same drawing happens.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maps/MapPainter.h"
#include "maps/MapReadout.h"
#include "maps/MapRecords.h"
#include "maps/MapView.h"
#include "platform/Surface.h"

namespace velmora {

constexpr int kStatusStripHeight = 39;

enum class StationFilter : uint8_t { kAll, kDirect, kFlagged, kTracked, kWeather };

struct MapDisplayOptions {
    StationFilter filter = StationFilter::kAll;
    int placement = 1;         // call signs: 1 right, 3 left, 4 above left
    bool age = false;          // hours and minutes since last heard under the call
    bool coverage = false;     // PHG circles
    bool ranges = false;       // range circles round stations with a range flag
    bool callSigns = true;
    bool icons = true;
    bool labels = true;
    bool symbols = true;
    bool filledPolygons = true;
    bool courseAndSpeed = true;
    bool deadReckoning = false;
    int grid = 0;              // Maidenhead squares: 0 off, -1 by the view's span, or 2, 4, 6
    bool utmZones = false;
    bool capGrid = false;
    bool overlay = false;      // the loaded .POS overlay
    bool userGrid = false;     // the 400 points of UserGrid.GRD
};

// The selected station and what is shown of it.
struct StationSelection {
    int32_t selected = -1;
    bool track = false, allTracks = false;
    bool trace = false, allTraces = false;
    uint8_t traceColour = 12;
    int replayPoints = -1;  // while a replay runs: the points drawn so far
};

// Something drawn over the map (stations, grids, overlays).
class MapLayer {
public:
    virtual ~MapLayer() = default;
    virtual void DrawOver(Surface& s, const class MapWindow& window) = 0;
};

// What every window draws besides its own map.
struct MapScene {
    const std::vector<MapDescriptor>* boundaries = nullptr;  // map boundaries, when shown
    std::vector<MapLayer*> layers;
    SymbolArtist* symbols = nullptr;
};

class MapWindow {
public:
    MapWindow(int width, int height);

    // The whole client area; the status strip comes off the bottom.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Shows a map at its full bounds; the reference point moves to its centre.
    void ShowMap(LoadedMap map);
    bool HasMap() const { return map_.has_value(); }
    const LoadedMap* Map() const { return map_ ? &*map_ : nullptr; }
    std::string Title() const;

    MapView& View() { return view_; }
    const MapView& View() const { return view_; }
    void FullView();
    void SetViewTo(const GeoRect& r) { view_.SetView(r); Changed(); }
    // The view showing all of an area, centred, the rest of the window
    // filled around it.
    void ShowArea(const GeoRect& r);

    // A click: the reference point and the read-out.
    void Click(Point pixel);
    // The mouse over the map: the read-out follows it.
    void Hover(Point pixel);
    std::optional<GeoPoint> Reference() const { return reference_; }
    void SetReference(GeoPoint p) { reference_ = p; }

    StationSelection& Selection() { return selection_; }
    const StationSelection& Selection() const { return selection_; }
    MapDisplayOptions& Options() { return options_; }
    const MapDisplayOptions& Options() const { return options_; }
    DistanceUnits Units() const { return units_; }
    void SetUnits(DistanceUnits u) { units_ = u; }
    void SetFontSize(int size) { fontSize_ = size < 6 ? 14 : size; }
    int FontSize() const { return fontSize_; }

    // The two lines of the status strip.
    const std::string& Readout() const { return readout_; }
    void SetReadout(std::string text) { readout_ = std::move(text); OverlayChanged(); }
    // The GPS's state, at the right of the strip ("GPS input OK"); empty
    // without a GPS.
    const std::string& GpsText() const { return gpsText_; }
    void SetGpsText(std::string text) {
        if (text == gpsText_) return;
        gpsText_ = std::move(text);
        OverlayChanged();
    }
    const std::string& InfoLine() const { return info_; }
    void SetInfoLine(std::string text) { info_ = std::move(text); OverlayChanged(); }

    void Draw(Surface& s, const MapScene& scene) const;

    // Raised by every change that shows; a view redraws when it differs.
    uint64_t Generation() const { return generation_; }
    void Changed() { ++generation_; ++mapGeneration_; }
    // Raised when only what lies over the map changed (stations): the map
    // picture itself can be kept.
    void OverlayChanged() { ++generation_; }
    uint64_t MapGeneration() const { return mapGeneration_; }

    // The map alone (background, points, labels, boundaries), and what lies
    // over it (layers, status strip); Draw is both.
    void DrawMap(Surface& s, const MapScene& scene) const;
    void DrawOverMap(Surface& s, const MapScene& scene) const;

private:
    void DrawStatusStrip(Surface& s) const;

    int width_, height_;
    MapView view_;
    std::optional<LoadedMap> map_;
    MapIndex index_;
    std::optional<GeoPoint> reference_;
    MapDisplayOptions options_;
    StationSelection selection_;
    DistanceUnits units_ = DistanceUnits::kStatute;
    int fontSize_ = 14;
    std::string readout_, info_, gpsText_;
    uint64_t generation_ = 1;
    uint64_t mapGeneration_ = 1;
};

}  // namespace velmora
