#include "maps/MapWindow.h"

namespace velmora {
namespace {

constexpr Rgb kPlainBackground{255, 255, 255};
constexpr Rgb kStripBackground{236, 236, 236};
constexpr Rgb kStripText{0, 0, 0};

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
    if (!map_) return;
    const MapDescriptor& d = map_->descriptor;
    const GeoRect bounds{d.west, d.east, d.north, d.south};
    view_.SetMapBounds(bounds);
    view_.SetView(bounds);
    view_.ResetZoomCounter();
    reference_ = GeoPoint{static_cast<int32_t>((int64_t(d.west) + d.east) / 2),
                          static_cast<int32_t>((int64_t(d.north) + d.south) / 2)};
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
    const int mapHeight = std::max(0, height_ - kStatusStripHeight);
    const Rgb background = map_ && map_->descriptor.background ? *map_->descriptor.background : kPlainBackground;
    s.ClearClip();
    s.FillRect({0, 0, width_, mapHeight}, background);
    s.SetClip({0, 0, width_, mapHeight});
    s.SetFont(fontSize_);
    if (map_) {
        DrawMapPoints(s, view_, map_->points, index_, options_.filledPolygons);
        MapDrawOptions o;
        o.labels = options_.labels;
        o.symbols = options_.symbols;
        o.filledPolygons = options_.filledPolygons;
        o.symbolArtist = scene.symbols;
        DrawMapLabels(s, view_, map_->labels, o);
    }
    if (!map_) {
        const std::string_view empty = "No map loaded";
        s.Text({(width_ - s.TextWidth(empty)) / 2, mapHeight / 2}, empty, Rgb{128, 128, 128});
    }
    if (scene.boundaries) DrawMapBoundaries(s, view_, *scene.boundaries);
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
}

}  // namespace velmora
