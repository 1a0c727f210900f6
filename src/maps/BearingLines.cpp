#include "maps/BearingLines.h"

#include "maps/MapColours.h"

namespace velmora {

int BearingPenWidth(int quality) {
    if (quality >= 4 && quality <= 6) return 2;
    if (quality >= 7 && quality <= 9) return 3;
    return 1;
}

void BearingLayer::DrawOver(Surface& s, const MapWindow& window) {
    for (const BearingSegment& l : lines_) {
        const Projected p = window.View().Project(l.start);
        // An observer outside the view draws nothing.
        if (!p.visible || p.pixel.x < 0 || p.pixel.y < 0 || p.pixel.x >= window.Width() || p.pixel.y >= window.Height())
            continue;
        const Rgb colour = l.type == -1 ? MapColour(6) : l.type == -2 ? MapColour(3) : MapColour(0);
        s.SetPen(colour, l.type < 0 ? 1 : BearingPenWidth(l.quality));
        s.MoveTo(p.pixel);
        s.LineTo({p.pixel.x + l.dx, p.pixel.y + l.dy});
    }
}

}  // namespace velmora
