// The polar view of a map window: an azimuthal equidistant projection
// about a centre. The distance of a pixel from the window's centre is the
// great-circle distance from the centre position, its direction the true
// bearing; at zoom 1 the whole globe fits a circle as wide as the window
// is high, the antipode on its edge.
#include <algorithm>
#include <cmath>

#include "geo/Position.h"
#include "maps/MapView.h"

namespace velmora {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerUnit = 4.848136811095274e-08;
constexpr double kUnitsPerRadian = 20626480.62471;
constexpr double kPolarLimit = 2000;  // pixels either way
constexpr double kMilesPerRadian = 3958.8;

double LonRadians(int32_t lon) { return (double(lon) - kLonOrigin) * kRadiansPerUnit; }
double LatRadians(int32_t lat) { return (double(kLatOrigin) - lat) * kRadiansPerUnit; }

int32_t LonUnits(double radians) {
    while (radians > kPi) radians -= 2 * kPi;
    while (radians < -kPi) radians += 2 * kPi;
    return static_cast<int32_t>(std::clamp<long long>(std::llround(kLonOrigin + radians * kUnitsPerRadian), 1LL,
                                           (long long)kLonUnitsMax - 1));
}
int32_t LatUnits(double radians) {
    return static_cast<int32_t>(std::clamp<long long>(std::llround(kLatOrigin - radians * kUnitsPerRadian), 1LL,
                                           (long long)kLatUnitsMax - 1));
}

}  // namespace

void MapView::SetPolar(GeoPoint centre) {
    polar_ = true;
    centre_ = centre;
    zoom_ = 1;
    zoomCounter_ = 0;
    DerivePolar();
}

void MapView::SetPolarZoom(int32_t zoom) {
    zoom_ = std::clamp(zoom, 1, 1 << 16);
    DerivePolar();
}

void MapView::DerivePolar() {
    if (width_ <= 0 || height_ <= 0) return;
    polarScale_ = static_cast<int32_t>(height_ * double(zoom_) * 0.15915494309189535);
    // What the window reaches: the angular radius to its corners, as a
    // rectangle of longitude and latitude for the code that culls by one.
    const double radiansPerPixel = 2 * kPi / (double(height_) * zoom_);
    const double reach = std::min(kPi, std::hypot(width_ / 2.0, height_ / 2.0) * radiansPerPixel);
    const double lat0 = LatRadians(centre_.lat), lon0 = LonRadians(centre_.lon);
    const double north = lat0 + reach, south = lat0 - reach;
    GeoRect r{0, kLonUnitsMax, 0, kLatUnitsMax};
    if (north < kPi / 2 && south > -kPi / 2) {
        const double spread = std::asin(std::min(1.0, std::sin(reach) / std::cos(lat0)));
        if (spread < kPi && lon0 - spread > -kPi && lon0 + spread < kPi)
            r.west = LonUnits(lon0 - spread), r.east = LonUnits(lon0 + spread);
        r.north = LatUnits(north), r.south = LatUnits(south);
    } else if (north < kPi / 2) {
        r.north = LatUnits(north);
    } else if (south > -kPi / 2) {
        r.south = LatUnits(south);
    }
    view_ = r;
    visibleRight_ = r.east, visibleBottom_ = r.south;
    xDivide_ = yDivide_ = std::max<int32_t>(1, static_cast<int32_t>(radiansPerPixel * kUnitsPerRadian));
    unadjustedScale_ = width_ / 2.0 * radiansPerPixel * kMilesPerRadian;
    DeriveScale();
}

MapView::PixelXY MapView::PolarProjectXY(GeoPoint p) const {
    const Point c = PolarCentrePixel();
    if (std::abs(int64_t(p.lon) - centre_.lon) < 20 && std::abs(int64_t(p.lat) - centre_.lat) < 20) return {c.x, c.y};
    const double lon = LonRadians(p.lon), lat = LatRadians(p.lat);
    const double lon0 = LonRadians(centre_.lon), lat0 = LatRadians(centre_.lat);
    const double cosc = std::sin(lat) * std::sin(lat0) + std::cos(lat) * std::cos(lat0) * std::cos(lon0 - lon);
    const double distance = std::acos(std::clamp(cosc, -1.0, 1.0));
    // The bearing from the centre, by atan2, which needs no care at the
    // poles, at the antipode or across the date line.
    const double dl = lon - lon0;
    const double bearing = std::atan2(std::sin(dl) * std::cos(lat),
                                      std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat) * std::cos(dl));
    const double r = distance * polarScale_;
    return {c.x + static_cast<int64_t>(std::sin(bearing) * r), c.y - static_cast<int64_t>(std::cos(bearing) * r)};
}

Projected MapView::PolarProject(GeoPoint p) const {
    const PixelXY xy = PolarProjectXY(p);
    const bool visible = xy.x > -kPolarLimit && xy.x < kPolarLimit && xy.y > -kPolarLimit && xy.y < kPolarLimit;
    return {{static_cast<int>(std::clamp<int64_t>(xy.x, INT32_MIN, INT32_MAX)),
             static_cast<int>(std::clamp<int64_t>(xy.y, INT32_MIN, INT32_MAX))},
            visible};
}

GeoPoint MapView::PolarUnproject(Point pixel) const {
    const Point c = PolarCentrePixel();
    const double dx = pixel.x - c.x, dy = pixel.y - c.y;
    if (polarScale_ <= 0 || (dx == 0 && dy == 0)) return centre_;
    // By the same whole-pixel scale the drawing uses, so that a click lands
    // on what was drawn there.
    const double distance = std::min(kPi, std::hypot(dx, dy) / polarScale_);
    const double bearing = std::atan2(dx, -dy);  // clockwise from up, as drawn
    const double lat0 = LatRadians(centre_.lat), lon0 = LonRadians(centre_.lon);
    const double lat = std::asin(std::clamp(
        std::sin(lat0) * std::cos(distance) + std::cos(lat0) * std::sin(distance) * std::cos(bearing), -1.0, 1.0));
    const double lon = lon0 + std::atan2(std::sin(bearing) * std::sin(distance) * std::cos(lat0),
                                         std::cos(distance) - std::sin(lat0) * std::sin(lat));
    return {LonUnits(lon), LatUnits(lat)};
}

void MapView::PolarSetView(const GeoRect& r) {
    // The whole world (a full view) keeps the centre at zoom 1; a smaller
    // area is centred and zoomed to fit.
    const int64_t spanX = int64_t(r.east) - r.west, spanY = int64_t(r.south) - r.north;
    if (spanX >= kLonUnitsMax / 2 || spanY >= kLatUnitsMax / 2 || spanX <= 0 || spanY <= 0) {
        zoom_ = 1;
    } else {
        centre_ = {static_cast<int32_t>((int64_t(r.west) + r.east) / 2), static_cast<int32_t>((int64_t(r.north) + r.south) / 2)};
        // The zoom at which half the window's height spans half the area.
        const double half = std::max(double(spanY), spanX * std::cos(LatRadians(centre_.lat))) / 2 * kRadiansPerUnit;
        zoom_ = std::clamp(static_cast<int32_t>(kPi / std::max(half, 1e-9)), 1, 1 << 16);
    }
    DerivePolar();
}

void MapView::PolarMoveCentreTo(Point pixel) {
    centre_ = PolarUnproject(pixel);
    DerivePolar();
}

}  // namespace velmora
