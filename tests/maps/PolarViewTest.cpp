// The polar view: azimuthal equidistant about a centre, checked against
// great-circle distances and bearings worked out here independently.
#include <gtest/gtest.h>

#include <cmath>

#include "geo/Position.h"
#include "maps/MapView.h"

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;

MapView PolarAt(double lat, double lon, int width = 800, int height = 600) {
    MapView v;
    v.SetDrawingSize(width, height);
    v.SetPolar({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)});
    return v;
}

GeoPoint At(double lat, double lon) { return {LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}; }

// The point at a distance (radians of arc) and bearing (degrees) from a
// start, by the spherical destination formula.
GeoPoint Destination(double lat, double lon, double bearingDegrees, double arc) {
    const double p1 = lat * kPi / 180, l1 = lon * kPi / 180, b = bearingDegrees * kPi / 180;
    const double p2 = std::asin(std::sin(p1) * std::cos(arc) + std::cos(p1) * std::sin(arc) * std::cos(b));
    const double l2 = l1 + std::atan2(std::sin(b) * std::sin(arc) * std::cos(p1), std::cos(arc) - std::sin(p1) * std::sin(p2));
    double lonOut = l2 * 180 / kPi;
    while (lonOut > 180) lonOut -= 360;
    while (lonOut < -180) lonOut += 360;
    return At(p2 * 180 / kPi, lonOut);
}

TEST(PolarView, TheCentreAQuarterAndTheAntipode) {
    const MapView v = PolarAt(0, 0);
    EXPECT_EQ(v.PolarZoom(), 1);
    EXPECT_EQ(v.PolarScale(), static_cast<int32_t>(600 * 0.15915494309189535));
    const Point c = v.PolarCentrePixel();
    EXPECT_EQ(c, (Point{400, 300}));
    EXPECT_EQ(v.Project(At(0, 0)).pixel, c);
    // Within 19 units both ways a point is the centre, however far in;
    // 20 units is not.
    MapView close = v;
    close.SetPolarZoom(1 << 16);
    EXPECT_EQ(close.Project({kLonOrigin + 19, kLatOrigin - 19}).pixel, c);
    EXPECT_GT(close.Project({kLonOrigin + 20, kLatOrigin}).pixel.x, c.x + 3);
    // 90 degrees of arc: a quarter of the height; the antipode half of it.
    const Projected east90 = v.Project(At(0, 90));
    EXPECT_NEAR(east90.pixel.x - c.x, 600 / 4, 1);
    EXPECT_EQ(east90.pixel.y, c.y);
    const Projected south = v.Project(At(-90, 0));
    EXPECT_NEAR(south.pixel.y - c.y, 600 / 4, 1);
    // The antipode: π radians at the (whole-pixel) scale, about half the height.
    const Projected far = v.Project(At(0, 179.99));
    EXPECT_NEAR(std::hypot(far.pixel.x - c.x, far.pixel.y - c.y), kPi * v.PolarScale(), 1);
    EXPECT_NEAR(kPi * v.PolarScale(), 300, 2);
    // Due east on the same row, to the right; due north straight up.
    const Projected east10 = v.Project(At(0, 10));
    EXPECT_GT(east10.pixel.x, c.x);
    EXPECT_EQ(east10.pixel.y, c.y);
    const Projected north10 = v.Project(At(10, 0));
    EXPECT_EQ(north10.pixel.x, c.x);
    EXPECT_LT(north10.pixel.y, c.y);
    const Projected west10 = v.Project(At(0, -10));
    EXPECT_LT(west10.pixel.x, c.x);
}

TEST(PolarView, PixelsAreProportionalToGreatCircleDistanceAtEveryBearing) {
    const MapView v = PolarAt(41.7147, -72.7272);
    const Point c = v.PolarCentrePixel();
    for (double bearing = 0; bearing < 360; bearing += 37.5)
        for (double arc : {0.1, 0.5, 1.0, 2.0, 3.0}) {
            const Projected p = v.Project(Destination(41.7147, -72.7272, bearing, arc));
            const double dx = p.pixel.x - c.x, dy = p.pixel.y - c.y;
            EXPECT_NEAR(std::hypot(dx, dy), arc * v.PolarScale(), 1.5) << bearing << " " << arc;
            if (arc < 1.0) continue;  // a few pixels out: the direction is too coarse to compare
            double drawn = std::atan2(dx, -dy) * 180 / kPi;
            if (drawn < 0) drawn += 360;
            EXPECT_NEAR(std::remainder(drawn - bearing, 360.0), 0, 1.0) << bearing << " " << arc;
        }
}

TEST(PolarView, BackFromPixelsZoomPanAndTheLimit) {
    MapView v = PolarAt(-33.87, 151.21);
    // Inside the globe's disc (beyond it every pixel is the antipode).
    for (Point px : {Point{200, 250}, Point{600, 420}, Point{400, 100}, Point{410, 300}}) {
        const GeoPoint g = v.Unproject(px);
        const Point back = v.Project(g).pixel;
        EXPECT_NEAR(back.x, px.x, 1);
        EXPECT_NEAR(back.y, px.y, 1);
    }
    const GeoPoint centre = v.PolarCentre();
    EXPECT_TRUE(v.ZoomIn(2, std::nullopt));
    EXPECT_EQ(v.PolarZoom(), 2);
    EXPECT_EQ(v.PolarCentre(), centre);
    EXPECT_EQ(v.PolarScale(), static_cast<int32_t>(600 * 2 * 0.15915494309189535));
    v.ZoomOut(2, std::nullopt);
    v.ZoomOut(2, std::nullopt);
    EXPECT_EQ(v.PolarZoom(), 1);  // never below the whole globe
    // Panning moves the centre to where the quarter-window step pointed.
    const GeoPoint target = v.Unproject({400 + 200, 300});
    v.Pan(1, 0);
    EXPECT_EQ(v.PolarCentre(), target);
    // Zoomed far in, the far side of the world is off the drawing.
    v.SetPolarZoom(64);
    EXPECT_FALSE(v.Project(At(33.87, -28.79)).visible);
    EXPECT_TRUE(v.Project(v.PolarCentre()).visible);
    // A whole-world view keeps the centre; an area centres and fits.
    v.SetView({0, kLonUnitsMax, 0, kLatUnitsMax});
    EXPECT_EQ(v.PolarZoom(), 1);
    v.SetView({At(0, 10).lon, At(0, 20).lon, At(5, 0).lat, At(-5, 0).lat});
    EXPECT_EQ(v.PolarCentre(), At(0, 15));
    EXPECT_EQ(v.PolarZoom(), 36);  // half the height is 5 degrees of arc
}

}  // namespace
}  // namespace velmora
