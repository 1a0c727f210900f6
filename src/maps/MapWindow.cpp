#include "maps/MapWindow.h"

#include "maps/PolarDecor.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr Rgb kPlainBackground{255, 255, 255};
constexpr Rgb kStripBackground{236, 236, 236};
constexpr Rgb kStripText{0, 0, 0};
// Place names in a dark grey, so that station calls in black stand out.
constexpr Rgb kMapLabelGrey{70, 70, 70};

}  // namespace

MapWindow::MapWindow(int width, int height) : width_(width), height_(height) {
    view_.SetDrawingSize(width, height - kStatusStripHeight);
}

void MapWindow::Resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    view_.SetDrawingSize(width_, height_ - kStatusStripHeight);
    Changed();
}

void MapWindow::ShowMap(LoadedMap map) {
    index_.Build(map.points);
    map_ = std::move(map);
    info_ = MapInformationLine(map_->descriptor);
    FullView();
}

std::string MapWindow::Title() const {
    if (!map_) return "Map window";
    return map_->descriptor.title.empty() ? map_->descriptor.fileName : map_->descriptor.title;
}

void MapWindow::FullView() {
    if (view_.Polar()) {
        // The whole globe about the same centre.
        if (map_) view_.SetMapBounds({map_->descriptor.west, map_->descriptor.east, map_->descriptor.north,
                                      map_->descriptor.south});
        view_.SetPolarZoom(1);
        view_.ResetZoomCounter();
        reference_ = view_.PolarCentre();
        Changed();
        return;
    }
    if (!map_) return;
    const MapDescriptor& d = map_->descriptor;
    const GeoRect bounds{d.west, d.east, d.north, d.south};
    view_.SetMapBounds(bounds);
    ShowArea(bounds);
    view_.ResetZoomCounter();
    reference_ = GeoPoint{static_cast<int32_t>((int64_t(d.west) + d.east) / 2),
                          static_cast<int32_t>((int64_t(d.north) + d.south) / 2)};
    Changed();
}

void MapWindow::ShowArea(const GeoRect& r) {
    const int w = view_.Width(), h = view_.Height();
    if (w <= 0 || h <= 0) {
        view_.SetView(r);
        return;
    }
    const int64_t spanX = int64_t(r.east) - r.west, spanY = int64_t(r.south) - r.north;
    const int64_t divide = std::max<int64_t>({1, spanX / w, spanY / h});
    const int64_t cx = (int64_t(r.west) + r.east) / 2, cy = (int64_t(r.north) + r.south) / 2;
    const int64_t halfX = divide * w / 2, halfY = divide * h / 2;
    // Past the edge of the world the view keeps its corner inside it.
    int64_t west = cx - halfX, north = cy - halfY;
    west = std::clamp<int64_t>(west, 0, std::max<int64_t>(0, kLonUnitsMax - 2 * halfX));
    north = std::clamp<int64_t>(north, 0, std::max<int64_t>(0, kLatUnitsMax - 2 * halfY));
    view_.SetView({static_cast<int32_t>(west), static_cast<int32_t>(std::min<int64_t>(west + 2 * halfX, kLonUnitsMax)),
                   static_cast<int32_t>(north), static_cast<int32_t>(std::min<int64_t>(north + 2 * halfY, kLatUnitsMax))});
    Changed();
}

void MapWindow::Click(Point pixel) {
    const GeoPoint at = view_.Unproject(pixel);
    reference_ = at;
    SetReadout(CursorReadout(at, at, units_));
}

void MapWindow::Hover(Point pixel) {
    const GeoPoint at = view_.Unproject(pixel);
    SetReadout(CursorReadout(at, reference_.value_or(at), units_));
}

void MapWindow::Draw(Surface& s, const MapScene& scene) const {
    DrawMap(s, scene);
    DrawOverMap(s, scene);
}

void MapWindow::DrawMap(Surface& s, const MapScene& scene) const {
    const int mapHeight = std::max(0, height_ - kStatusStripHeight);
    const Rgb background = map_ && map_->descriptor.background ? *map_->descriptor.background : kPlainBackground;
    s.ClearClip();
    if (view_.Polar()) DrawPolarGround(s, view_, background, width_, mapHeight);
    else s.FillRect({0, 0, width_, mapHeight}, background);
    s.SetClip({0, 0, width_, mapHeight});
    s.SetFont(fontSize_);
    if (map_) {
        DrawMapPoints(s, view_, map_->points, index_, options_.filledPolygons, map_->descriptor.unlistedFill);
        MapDrawOptions o;
        o.labels = options_.labels;
        o.symbols = options_.symbols;
        o.filledPolygons = options_.filledPolygons;
        o.symbolArtist = scene.symbols;
        o.defaultLabel = kMapLabelGrey;
        DrawMapLabels(s, view_, map_->labels, o);
    }
    if (!map_) {
        const std::string_view empty = "No map loaded";
        s.Text({(width_ - s.TextWidth(empty)) / 2, mapHeight / 2}, empty, Rgb{128, 128, 128});
    }
    if (scene.boundaries) DrawMapBoundaries(s, view_, *scene.boundaries);
    if (view_.Polar()) DrawPolarRings(s, view_, units_);
    s.ClearClip();
}

void MapWindow::DrawOverMap(Surface& s, const MapScene& scene) const {
    const int mapHeight = std::max(0, height_ - kStatusStripHeight);
    s.SetClip({0, 0, width_, mapHeight});
    for (MapLayer* layer : scene.layers) layer->DrawOver(s, *this);
    s.ClearClip();
    DrawStatusStrip(s);
}

void MapWindow::DrawStatusStrip(Surface& s) const {
    const int top = std::max(0, height_ - kStatusStripHeight);
    s.FillRect({0, top, width_, height_}, kStripBackground);
    s.SetPen(Rgb{160, 160, 160}, 1);
    s.MoveTo({0, top});
    s.LineTo({width_, top});
    s.SetFont(12);
    s.Text({6, top + 16}, readout_, kStripText);
    s.Text({6, top + 33}, info_, kStripText);
    if (!gpsText_.empty()) s.Text({std::max(6, width_ - 190), top + 16}, gpsText_, kStripText);
}

}  // namespace velmora
