#include "maps/UserGrid.h"

#include <cstdio>
#include <cstdlib>

#include "maps/MapColours.h"

namespace velmora {
namespace {

int32_t I32At(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b[at + i])) << (8 * i);
    return static_cast<int32_t>(v);
}

}  // namespace

UserGridStatus ParseUserGrid(std::string_view bytes, UserGrid& grid) {
    grid = {};
    if (bytes.size() < 24 || I32At(bytes, 0) != 0x41505253 || I32At(bytes, 4) != 0x55475244)
        return UserGridStatus::kInvalid;
    const GeoRect area{I32At(bytes, 8), I32At(bytes, 12), I32At(bytes, 16), I32At(bytes, 20)};
    if (area.west >= area.east || area.north >= area.south) return UserGridStatus::kEmptyArea;
    grid.area = area;
    // One cell size both ways, from the width; wide enough sums in 64 bits.
    const int64_t cell = (int64_t(area.east) - area.west) / 20;
    grid.points.reserve(400);
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j) {
            char name[8];
            std::snprintf(name, sizeof name, "%c%02d", 'A' + i, j + 1);
            const int64_t lon = area.west + cell * j + cell / 2, lat = area.north + cell * i + cell / 2;
            if (lon <= 0 || lon >= 129600000 || lat <= 0 || lat >= 64800000) continue;  // off the world
            grid.points.push_back({name, static_cast<int32_t>(lon), static_cast<int32_t>(lat)});
        }
    return UserGridStatus::kLoaded;
}

void UserGridLayer::DrawOver(Surface& s, const MapWindow& window) {
    if (!window.Options().userGrid || grid_.points.empty()) return;
    const MapView& view = window.View();
    const Rgb colour = MapColour(12);
    s.SetPen(colour, 1);
    s.SetFont(11);
    // Names only when the points lie apart enough to read them.
    bool names = false;
    if (grid_.points.size() >= 2) {
        const Projected a = view.Project({grid_.points[0].lon, grid_.points[0].lat});
        const Projected b = view.Project({grid_.points[1].lon, grid_.points[1].lat});
        names = a.visible && b.visible && std::abs(b.pixel.x - a.pixel.x) >= 28;
    }
    for (const UserGridPoint& p : grid_.points) {
        const Projected at = view.Project({p.lon, p.lat});
        if (!at.visible) continue;
        s.MoveTo({at.pixel.x - 3, at.pixel.y});
        s.LineTo({at.pixel.x + 4, at.pixel.y});
        s.MoveTo({at.pixel.x, at.pixel.y - 3});
        s.LineTo({at.pixel.x, at.pixel.y + 4});
        if (names) s.Text({at.pixel.x + 5, at.pixel.y - 3}, p.name, colour);
    }
}

}  // namespace velmora
