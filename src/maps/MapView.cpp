#include "maps/MapView.h"

#include <algorithm>
#include <cmath>

#include "geo/Position.h"

namespace velmora {
namespace {

int32_t ClampTo(int64_t v, int32_t max) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, max)); }

GeoRect Clamped(int64_t west, int64_t east, int64_t north, int64_t south) {
    return {ClampTo(west, kLonUnitsMax), ClampTo(east, kLonUnitsMax), ClampTo(north, kLatUnitsMax),
            ClampTo(south, kLatUnitsMax)};
}

}  // namespace

void MapView::SetDrawingSize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    Derive();
}

void MapView::SetView(const GeoRect& r) {
    if (polar_) return PolarSetView(r);
    view_ = r;
    Derive();
}

void MapView::Derive() {
    if (polar_) return DerivePolar();
    view_ = Clamped(view_.west, view_.east, view_.north, view_.south);
    if (width_ <= 0 || height_ <= 0) return;
    const int32_t xd = (view_.east - view_.west) / width_;
    const int32_t yd = (view_.south - view_.north) / height_;
    if (xd > 0 && yd > 0) xDivide_ = yDivide_ = std::max(xd, yd);
    visibleRight_ = static_cast<int32_t>(int64_t(view_.west) + int64_t(xDivide_) * width_);
    visibleBottom_ = static_cast<int32_t>(int64_t(view_.north) + int64_t(yDivide_) * height_);
    DeriveScale();
}

void MapView::DeriveScale() {
    const int32_t middle = static_cast<int32_t>((int64_t(view_.north) + view_.south) / 2);
    unadjustedScale_ = DistanceMiles(view_.west, middle, visibleRight_, middle) / 2;
    double s = unadjustedScale_;
    if (labelScaleFactor_ > 0) s *= labelScaleFactor_;
    else if (labelScaleFactor_ < 0) s /= -labelScaleFactor_;
    scale_ = static_cast<int32_t>(std::min(s, 2.0e9));
}

void MapView::SetLabelScaleFactor(int f) {
    labelScaleFactor_ = std::clamp(f, -100, 100);
    DeriveScale();
}

GeoPoint MapView::Centre() const {
    if (polar_) return centre_;
    return {static_cast<int32_t>((int64_t(view_.west) + visibleRight_) / 2),
            static_cast<int32_t>((int64_t(view_.north) + visibleBottom_) / 2)};
}

MapView::PixelXY MapView::ProjectXY(GeoPoint p) const {
    if (polar_) return PolarProjectXY(p);
    return {ProjectX(p.lon), ProjectY(p.lat)};
}

Projected MapView::Project(GeoPoint p) const {
    if (polar_) return PolarProject(p);
    const int64_t x = ProjectX(p.lon), y = ProjectY(p.lat);
    const bool visible = x > -kVisibleLimit && x < kVisibleLimit && y > -kVisibleLimit && y < kVisibleLimit;
    return {{static_cast<int>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)),
             static_cast<int>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX))},
            visible};
}

GeoPoint MapView::Unproject(Point pixel) const {
    if (polar_) return PolarUnproject(pixel);
    return {static_cast<int32_t>(int64_t(pixel.x) * xDivide_ + view_.west),
            static_cast<int32_t>(int64_t(pixel.y) * yDivide_ + view_.north)};
}

bool MapView::ZoomIn(int f, std::optional<GeoPoint> reference) {
    if (polar_) {
        if (f < 1 || zoom_ >= (1 << 16)) return false;
        zoomCounter_ += f;
        SetPolarZoom(zoom_ * f);
        return true;
    }
    if (xDivide_ < 2 || yDivide_ <= 1 || f < 1) return false;
    const int64_t e = (int64_t(visibleRight_) - view_.west) / f / 2;
    const int64_t h = (int64_t(visibleBottom_) - view_.north) / f / 2;
    if (e <= 0 || h <= 0) return true;
    zoomCounter_ += f;
    const GeoRect visible = Visible();
    const GeoPoint c = reference && visible.Contains(*reference) ? *reference : Centre();
    if (e < width_ || h < height_) {
        // One position unit a pixel: as far as the view goes.
        SetView(Clamped(int64_t(c.lon) - width_ / 2, int64_t(c.lon) + width_ / 2, int64_t(c.lat) - height_ / 2,
                        int64_t(c.lat) + height_ / 2));
    } else {
        SetView(Clamped(c.lon - e, c.lon + e, c.lat - h, c.lat + h));
    }
    return true;
}

void MapView::ZoomOut(int f, std::optional<GeoPoint> reference) {
    if (f < 1) return;
    if (polar_) {
        if (zoom_ > 1) zoomCounter_ -= f;
        SetPolarZoom(zoom_ / f);
        return;
    }
    const int32_t oldX = xDivide_, oldY = yDivide_;
    const int64_t spanX = int64_t(visibleRight_) - view_.west, spanY = int64_t(visibleBottom_) - view_.north;
    if (reference && Visible().Contains(*reference)) {
        const int64_t e = spanX * f / 2, h = spanY * f / 2;
        SetView(Clamped(reference->lon - e, reference->lon + e, reference->lat - h, reference->lat + h));
    } else {
        const int64_t e = spanX / f / 2, h = spanY / f / 2;
        SetView(Clamped(view_.west - e, visibleRight_ + e, view_.north - h, visibleBottom_ + h));
    }
    if (xDivide_ > oldX || yDivide_ > oldY) zoomCounter_ -= f;
}

void MapView::Pan(int quartersAcross, int quartersDown) {
    if (polar_) {
        const Point c = PolarCentrePixel();
        return PolarMoveCentreTo({c.x + width_ * quartersAcross / 4, c.y + height_ * quartersDown / 4});
    }
    const int64_t dx = (int64_t(visibleRight_) - view_.west) * quartersAcross / 4;
    const int64_t dy = (int64_t(visibleBottom_) - view_.north) * quartersDown / 4;
    SetView(Clamped(view_.west + dx, view_.east + dx, view_.north + dy, view_.south + dy));
}

void MapView::ZoomAbout(Point pixel, double factor) {
    if (width_ <= 0 || height_ <= 0 || !(factor > 0)) return;
    if (polar_) {
        // The polar view zooms about its centre, in whole steps.
        int32_t z = static_cast<int32_t>(std::lround(std::clamp(zoom_ / factor, 1.0, double(1 << 16))));
        if (z == zoom_ && factor < 1) ++z;
        if (z == zoom_ && factor > 1) --z;
        return SetPolarZoom(z);
    }
    const GeoPoint anchor = Unproject(pixel);
    // Keep at least one unit a pixel, and never more than the world.
    const double divide = std::clamp(xDivide_ * factor, 1.0, double(kLonUnitsMax) / std::max(1, width_ / 2));
    const int64_t west = anchor.lon - static_cast<int64_t>(std::llround(pixel.x * divide));
    const int64_t north = anchor.lat - static_cast<int64_t>(std::llround(pixel.y * divide));
    const int64_t spanX = static_cast<int64_t>(std::llround(divide * width_));
    const int64_t spanY = static_cast<int64_t>(std::llround(divide * height_));
    // Position the view without the clamp moving the anchor.
    view_ = {static_cast<int32_t>(std::clamp<int64_t>(west, INT32_MIN / 2, INT32_MAX / 2)),
             static_cast<int32_t>(std::clamp<int64_t>(west + spanX, INT32_MIN / 2, INT32_MAX / 2)),
             static_cast<int32_t>(std::clamp<int64_t>(north, INT32_MIN / 2, INT32_MAX / 2)),
             static_cast<int32_t>(std::clamp<int64_t>(north + spanY, INT32_MIN / 2, INT32_MAX / 2))};
    Derive();
}

void MapView::Shift(int dx, int dy) {
    if (polar_) {
        const Point c = PolarCentrePixel();
        return PolarMoveCentreTo({c.x + dx, c.y + dy});
    }
    const int64_t ux = int64_t(dx) * xDivide_, uy = int64_t(dy) * yDivide_;
    const int64_t spanX = int64_t(view_.east) - view_.west, spanY = int64_t(view_.south) - view_.north;
    // Stop at the edges of the world without squeezing the span.
    const int64_t west = std::clamp<int64_t>(view_.west + ux, 0, std::max<int64_t>(0, kLonUnitsMax - spanX));
    const int64_t north = std::clamp<int64_t>(view_.north + uy, 0, std::max<int64_t>(0, kLatUnitsMax - spanY));
    SetView(Clamped(west, west + spanX, north, north + spanY));
}

void MapView::CentreOn(GeoPoint p) {
    if (polar_) {
        centre_ = p;
        return Derive();
    }
    const int64_t halfX = (int64_t(visibleRight_) - view_.west) / 2, halfY = (int64_t(visibleBottom_) - view_.north) / 2;
    SetView(Clamped(p.lon - halfX, p.lon + halfX, p.lat - halfY, p.lat + halfY));
}

}  // namespace velmora
