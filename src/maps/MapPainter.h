#pragma once
// Drawing a loaded map through a view onto a surface: the polylines in
// file order with their filled polygons, then the labels. An index of the
// polylines' bounds lets a zoomed-in view skip what it cannot show.
#include <optional>
#include <string>
#include <vector>

#include "maps/MapRecords.h"
#include "maps/MapView.h"
#include "platform/Surface.h"

namespace velmora {

struct MapPolygon {
    size_t begin = 0, end = 0;  // vertices [begin, end)
    uint8_t fill = 0;           // the last vertex's attribute, 0 when it had none
    GeoRect bounds;
};

// One polyline: from a move to the next.
struct MapSpan {
    size_t begin = 0, end = 0;
    GeoRect bounds;
    size_t firstPolygon = 0, endPolygon = 0;  // polygons that start in it
};

class MapIndex {
public:
    void Build(const std::vector<MapPoint>& points);
    const std::vector<MapSpan>& Spans() const { return spans_; }
    const std::vector<MapPolygon>& Polygons() const { return polygons_; }

private:
    std::vector<MapSpan> spans_;
    std::vector<MapPolygon> polygons_;
};

// Draws the APRS symbol a "$" label names; the stations' symbol set
// provides it.
class SymbolArtist {
public:
    virtual ~SymbolArtist() = default;
    virtual void DrawSymbol(Surface& s, Point centre, char table, char code) = 0;
};

struct MapDrawOptions {
    bool labels = true;
    bool symbols = true;
    bool filledPolygons = true;
    Rgb defaultLabel{0, 0, 0};
    SymbolArtist* symbolArtist = nullptr;  // none: a plain marker
    bool declutter = true;                 // leave out names that would overlap
};

// unlistedFill, when given, replaces the grey of the fill codes the table
// does not name.
void DrawMapPoints(Surface& s, const MapView& view, const std::vector<MapPoint>& points, const MapIndex& index,
                   bool filledPolygons, std::optional<Rgb> unlistedFill = std::nullopt);
void DrawMapLabels(Surface& s, const MapView& view, const std::vector<MapLabel>& labels,
                   const MapDrawOptions& options);
// Every listed map's bounds in a colour by its type, with its file name
// inside when there is room.
void DrawMapBoundaries(Surface& s, const MapView& view, const std::vector<MapDescriptor>& maps);

// Map label bytes as UTF-8: old maps carry Latin-1.
std::string LabelTextAsUtf8(std::string_view text);

}  // namespace velmora
