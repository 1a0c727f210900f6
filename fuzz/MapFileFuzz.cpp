// Reads arbitrary bytes as a map file, in each form, and draws what was
// read through a view: headers, counts and coordinates come from the file
// and nothing here may trust them. The first byte picks the form and the
// view.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "maps/MapFiles.h"
#include "maps/MapLoader.h"
#include "maps/MapPainter.h"
#include "maps/MapView.h"

using namespace velmora;

namespace {

// A surface that only checks what it is given.
class NullSurface final : public Surface {
public:
    int Width() const override { return 640; }
    int Height() const override { return 480; }
    void SetPen(Rgb, int, PenStyle) override {}
    void SetBrush(Rgb) override {}
    void NoBrush() override {}
    void SetDrawMode(DrawMode) override {}
    void MoveTo(Point) override {}
    void LineTo(Point) override {}
    void Rectangle(const Rect&) override {}
    void FillRect(const Rect&, Rgb) override {}
    void Ellipse(const Rect&) override {}
    void Polygon(const std::vector<Point>& p) override { calls += p.size(); }
    void Polyline(const std::vector<Point>& p) override { calls += p.size(); }
    void SetFont(int, bool) override {}
    void Text(Point, std::string_view t, Rgb, double) override { calls += t.size(); }
    int TextWidth(std::string_view t) const override { return static_cast<int>(t.size()) * 6; }
    int TextHeight() const override { return 12; }
    void DrawImage(Point, const Image&) override {}
    std::unique_ptr<Surface> MakeLayer(int, int) const override { return std::make_unique<NullSurface>(); }
    void DrawLayer(const Surface&, Point) override {}
    void SetClip(const Rect&) override {}
    void ClearClip() override {}
    size_t calls = 0;
};

void Draw(const LoadedMap& map, uint8_t zoom) {
    MapIndex index;
    index.Build(map.points);
    MapView view;
    view.SetDrawingSize(640, 441);
    const MapDescriptor& d = map.descriptor;
    view.SetView({d.west, d.east, d.north, d.south});
    for (int i = 0; i < (zoom & 7); ++i) view.ZoomIn(2, view.Centre());
    NullSurface s;
    DrawMapPoints(s, view, map.points, index, true, d.unlistedFill);
    DrawMapLabels(s, view, map.labels, MapDrawOptions{});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    auto d = (mode & 1) ? ReadTextHeader(bytes, "FUZZ.MAP") : ReadBinaryHeader(bytes);
    if (!d) return 0;
    LoadedMap map;
    MapNotices notices;
    TextMapCapacity capacity;
    capacity.points = 50000;
    capacity.labels = 5000;
    const MapLoadStatus status =
        (mode & 1) ? ReadTextMap(bytes, *d, capacity, map, notices) : ReadBinaryMap(bytes, *d, map, notices);
    if (status != MapLoadStatus::kLoaded) return 0;
    map.descriptor = *d;
    Draw(map, mode >> 1);
    return 0;
}
