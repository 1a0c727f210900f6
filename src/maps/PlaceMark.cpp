#include "maps/PlaceMark.h"

#include "maps/MapColours.h"

namespace velmora {

void PlaceMarkLayer::DrawOver(Surface& s, const MapWindow& window) {
    if (!on_) return;
    const Projected p = window.View().Project(at_);
    if (!p.visible || p.pixel.x < 0 || p.pixel.y < 0 || p.pixel.x >= window.Width() || p.pixel.y >= window.Height())
        return;
    const Rgb colour = MapColour(12);
    s.SetPen(colour, 2);
    s.NoBrush();
    s.Ellipse({p.pixel.x - 6, p.pixel.y - 6, p.pixel.x + 7, p.pixel.y + 7});
    s.MoveTo({p.pixel.x - 10, p.pixel.y});
    s.LineTo({p.pixel.x + 11, p.pixel.y});
    s.MoveTo({p.pixel.x, p.pixel.y - 10});
    s.LineTo({p.pixel.x, p.pixel.y + 11});
    s.SetFont(13, true);
    s.Text({p.pixel.x + 12, p.pixel.y - 4}, text_, colour);
}

}  // namespace velmora
