#include "maps/PolarDecor.h"

#include <cmath>
#include <cstdio>

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKmPerRadian = 6371.0;
constexpr double kMilesPerRadian = 3958.8;

Rect Circle(Point c, double r) {
    const int ri = static_cast<int>(std::min(r, 30000.0));
    return {c.x - ri, c.y - ri, c.x + ri + 1, c.y + ri + 1};
}

}  // namespace

void DrawPolarGround(Surface& s, const MapView& view, Rgb globe, int width, int height) {
    s.FillRect({0, 0, width, height}, Rgb{0x30, 0x34, 0x3C});
    s.SetPen(globe, 1);
    s.SetBrush(globe);
    s.Ellipse(Circle(view.PolarCentrePixel(), kPi * view.PolarScale()));
    s.NoBrush();
}

void DrawPolarRings(Surface& s, const MapView& view, DistanceUnits units) {
    const Point c = view.PolarCentrePixel();
    const Rgb ring{0x80, 0x80, 0x90};
    s.SetFont(11);
    for (int degrees = 30; degrees <= 180; degrees += 30) {
        const double radians = degrees * kPi / 180;
        const double r = radians * view.PolarScale();
        if (r > 4 * std::max(view.Width(), view.Height())) break;
        s.SetPen(ring, 1, degrees == 180 ? PenStyle::kSolid : PenStyle::kDot);
        s.Ellipse(Circle(c, r));
        char text[32];
        const bool metric = units == DistanceUnits::kMetric;
        std::snprintf(text, sizeof text, "%.0f %s", radians * (metric ? kKmPerRadian : kMilesPerRadian),
                      metric ? "km" : "mi");
        if (degrees < 180) s.Text({c.x + 3, c.y - static_cast<int>(r) - 2}, text, ring);
    }
    // North up: a short mark at the top of the innermost ring.
    s.SetPen(ring, 1);
    s.MoveTo({c.x, c.y - 6});
    s.LineTo({c.x, c.y + 7});
    s.MoveTo({c.x - 6, c.y});
    s.LineTo({c.x + 7, c.y});
}

}  // namespace velmora
