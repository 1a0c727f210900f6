#pragma once
// What a map window shows: a rectangle of longitude and latitude on its
// drawing area, one pixel the same number of position units across and
// down (the square view); or the polar view, an azimuthal equidistant
// projection about a centre, where the distance from the window's centre
// is the great-circle distance and the direction is the true bearing.
// Positions are the program's position units.
#include <cstdint>
#include <optional>

#include "platform/Surface.h"

namespace velmora {

constexpr int32_t kLonUnitsMax = 129600000;
constexpr int32_t kLatUnitsMax = 64800000;
// Projected points this far out or further count as off the map.
constexpr int kVisibleLimit = 4095;

struct GeoPoint {
    int32_t lon = 0, lat = 0;
    bool operator==(const GeoPoint&) const = default;
};

struct GeoRect {
    int32_t west = 0, east = 0, north = 0, south = 0;
    bool Contains(GeoPoint p) const { return p.lon > west && p.lon < east && p.lat > north && p.lat < south; }
};

// A projected point; visible when within the limit both ways.
struct Projected {
    Point pixel;
    bool visible = false;
};

class MapView {
public:
    void SetMapBounds(const GeoRect& r) { map_ = r; }
    const GeoRect& MapBounds() const { return map_; }
    // The drawing area in pixels (the window less its status strip).
    void SetDrawingSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Stores the requested view and derives the divide factors.
    void SetView(const GeoRect& r);
    // The view asked for; the visible one ends at VisibleRight/Bottom.
    const GeoRect& Requested() const { return view_; }
    GeoRect Visible() const { return {view_.west, visibleRight_, view_.north, visibleBottom_}; }
    int32_t XDivide() const { return xDivide_; }
    int32_t YDivide() const { return yDivide_; }
    int32_t VisibleRight() const { return visibleRight_; }
    int32_t VisibleBottom() const { return visibleBottom_; }
    GeoPoint Centre() const;

    Projected Project(GeoPoint p) const;
    // Pixel coordinates without the visibility limit, for clipping.
    struct PixelXY {
        int64_t x, y;
    };
    PixelXY ProjectXY(GeoPoint p) const;
    // The square view's axes alone (the polar view has no separate axes).
    int64_t ProjectX(int32_t lon) const { return (int64_t(lon) - view_.west) / xDivide_; }
    int64_t ProjectY(int32_t lat) const { return (int64_t(lat) - view_.north) / yDivide_; }
    GeoPoint Unproject(Point pixel) const;

    // The polar view: centred on a position, the whole globe at zoom 1.
    void SetPolar(GeoPoint centre);
    bool Polar() const { return polar_; }
    int32_t PolarZoom() const { return zoom_; }
    GeoPoint PolarCentre() const { return centre_; }
    // Pixels per radian of great-circle distance.
    int32_t PolarScale() const { return polarScale_; }
    Point PolarCentrePixel() const { return {width_ / 2, height_ / 2}; }
    void SetPolarZoom(int32_t zoom);

    // Half the visible width in statute miles, and the same adjusted by the
    // label scale factor; labels compare their limits with the latter.
    double UnadjustedScale() const { return unadjustedScale_; }
    int32_t Scale() const { return scale_; }
    int LabelScaleFactor() const { return labelScaleFactor_; }
    void SetLabelScaleFactor(int f);
    int ZoomCounter() const { return zoomCounter_; }
    void ResetZoomCounter() { zoomCounter_ = 0; }

    // Zooms in by f about the reference point when it is inside the view,
    // else about the centre; false (the caller beeps) at the finest scale.
    bool ZoomIn(int f, std::optional<GeoPoint> reference);
    void ZoomOut(int f, std::optional<GeoPoint> reference);
    // Moves the view by quarter spans (the keys use ±2, half a span).
    void Pan(int quartersAcross, int quartersDown);
    // The view scaled by factor about a pixel that stays where it is (the
    // mouse wheel); factor above 1 zooms out.
    void ZoomAbout(Point pixel, double factor);
    // The view moved by a pixel offset (dragging the map).
    void Shift(int dx, int dy);
    // The same span centred on a position.
    void CentreOn(GeoPoint p);

private:
    void Derive();
    void DeriveScale();
    // PolarView.cpp.
    void DerivePolar();
    Projected PolarProject(GeoPoint p) const;
    PixelXY PolarProjectXY(GeoPoint p) const;
    GeoPoint PolarUnproject(Point pixel) const;
    void PolarSetView(const GeoRect& r);
    void PolarMoveCentreTo(Point pixel);

    bool polar_ = false;
    int32_t zoom_ = 1;
    GeoPoint centre_;
    int32_t polarScale_ = 0;

    GeoRect map_;
    GeoRect view_;
    int width_ = 0, height_ = 0;
    int32_t xDivide_ = 1, yDivide_ = 1;
    int32_t visibleRight_ = 0, visibleBottom_ = 0;
    double unadjustedScale_ = 0;
    int32_t scale_ = 0;
    int labelScaleFactor_ = 0;
    int zoomCounter_ = 0;
};

}  // namespace velmora
