#include "maps/MapPainter.h"

#include "stations/ByteLines.h"

#include <algorithm>
#include <cmath>

#include "maps/MapColours.h"

namespace velmora {
namespace {

bool Overlaps(const GeoRect& a, const GeoRect& b) {
    return a.west <= b.east && b.west <= a.east && a.north <= b.south && b.north <= a.south;
}

void Grow(GeoRect& r, const MapPoint& p, bool first) {
    if (first) {
        r = {p.lon, p.lon, p.lat, p.lat};
        return;
    }
    r.west = std::min(r.west, p.lon), r.east = std::max(r.east, p.lon);
    r.north = std::min(r.north, p.lat), r.south = std::max(r.south, p.lat);
}

bool IsLastVertex(uint8_t a) { return a >= kPolygonLastLow && a <= kPolygonLastHigh; }

struct PixelD {
    double x, y;
};

// The box lines are clipped to: the surface and a little more, never past
// the projection's limit.
struct ClipBox {
    double left, top, right, bottom;
};

ClipBox BoxFor(const MapView& view) {
    constexpr double kMargin = 8;
    const double limit = kVisibleLimit - 1;
    return {-kMargin, -kMargin, std::min(view.Width() + kMargin, limit), std::min(view.Height() + kMargin, limit)};
}

// Liang-Barsky: the part of a segment inside the box, if any.
bool ClipSegment(const ClipBox& b, PixelD& p0, PixelD& p1) {
    const double dx = p1.x - p0.x, dy = p1.y - p0.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {p0.x - b.left, b.right - p0.x, p0.y - b.top, b.bottom - p0.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const PixelD a{p0.x + t0 * dx, p0.y + t0 * dy}, c{p0.x + t1 * dx, p0.y + t1 * dy};
    p0 = a, p1 = c;
    return true;
}

// Sutherland-Hodgman against one edge at a time.
std::vector<PixelD> ClipPolygon(std::vector<PixelD> poly, const ClipBox& b) {
    auto clipEdge = [](const std::vector<PixelD>& in, auto inside, auto cross) {
        std::vector<PixelD> out;
        out.reserve(in.size() + 4);
        for (size_t i = 0; i < in.size(); ++i) {
            const PixelD& cur = in[i];
            const PixelD& prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur)) {
                if (!inside(prev)) out.push_back(cross(prev, cur));
                out.push_back(cur);
            } else if (inside(prev)) {
                out.push_back(cross(prev, cur));
            }
        }
        return out;
    };
    auto atX = [](double x) {
        return [x](PixelD a, PixelD c) { return PixelD{x, a.y + (c.y - a.y) * (x - a.x) / (c.x - a.x)}; };
    };
    auto atY = [](double y) {
        return [y](PixelD a, PixelD c) { return PixelD{a.x + (c.x - a.x) * (y - a.y) / (c.y - a.y), y}; };
    };
    if (poly.size() >= 3) poly = clipEdge(poly, [&](PixelD p) { return p.x >= b.left; }, atX(b.left));
    if (poly.size() >= 3) poly = clipEdge(poly, [&](PixelD p) { return p.x <= b.right; }, atX(b.right));
    if (poly.size() >= 3) poly = clipEdge(poly, [&](PixelD p) { return p.y >= b.top; }, atY(b.top));
    if (poly.size() >= 3) poly = clipEdge(poly, [&](PixelD p) { return p.y <= b.bottom; }, atY(b.bottom));
    return poly;
}

Point Round(PixelD p) { return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))}; }

PixelD ProjectD(const MapView& view, const MapPoint& p) {
    const MapView::PixelXY xy = view.ProjectXY({p.lon, p.lat});
    return {double(xy.x), double(xy.y)};
}

bool ListedFill(uint8_t a) { return a >= 0x82 && a <= 0x88; }

// In the polar view a line between two points near the antipode may jump
// across the whole disc: such a step is left out rather than drawn.
bool Torn(const MapView& view, PixelD a, PixelD b) {
    if (!view.Polar()) return false;
    const double limit = view.Height() / 4.0;
    return std::abs(a.x - b.x) > limit || std::abs(a.y - b.y) > limit;
}

void FillPolygon(Surface& s, const MapView& view, const std::vector<MapPoint>& points, const MapPolygon& poly,
                 const ClipBox& box, std::optional<Rgb> unlistedFill) {
    std::vector<PixelD> ring;
    ring.reserve(poly.end - poly.begin);
    for (size_t i = poly.begin; i < poly.end; ++i) {
        ring.push_back(ProjectD(view, points[i]));
        if (ring.size() >= 2 && Torn(view, ring[ring.size() - 2], ring.back())) return;  // torn by the projection
    }
    ring = ClipPolygon(std::move(ring), box);
    if (ring.size() < 3) return;
    std::vector<Point> pixels;
    pixels.reserve(ring.size());
    for (const PixelD& p : ring) pixels.push_back(Round(p));
    s.SetPen(Rgb{}, 1, PenStyle::kNone);
    s.SetBrush(unlistedFill && !ListedFill(poly.fill) ? *unlistedFill : MapFillColour(poly.fill));
    s.Polygon(pixels);
    s.NoBrush();
}

// Consecutive segments of one pen become one polyline.
class LineBatch {
public:
    explicit LineBatch(Surface& s) : s_(s) {}
    ~LineBatch() { Flush(); }
    void Segment(Point a, Point b, Rgb colour, int width) {
        if (line_.empty() || line_.back() != a || colour != colour_ || width != width_) {
            Flush();
            colour_ = colour, width_ = width;
            line_.push_back(a);
        }
        if (line_.back() != b) line_.push_back(b);
    }
    void Flush() {
        if (line_.size() >= 2) {
            s_.SetPen(colour_, width_);
            s_.Polyline(line_);
        }
        line_.clear();
    }

private:
    Surface& s_;
    std::vector<Point> line_;
    Rgb colour_;
    int width_ = 1;
};

int WidthFor(uint8_t attribute) { return attribute == 1 ? 2 : attribute == 2 ? 3 : 1; }

void DrawSpan(const MapView& view, const std::vector<MapPoint>& points, const MapSpan& span, const ClipBox& box,
              LineBatch& batch, bool& ended) {
    PixelD prev{};
    bool down = false;
    int width = 1;
    for (size_t i = span.begin; i < span.end; ++i) {
        const MapPoint& p = points[i];
        if (p.pen == kPenEnd) {
            ended = true;
            return;
        }
        const PixelD here = ProjectD(view, p);
        if (p.pen == kPenMove || !down) {
            width = WidthFor(p.attribute);
            down = true;
        } else if (!Torn(view, prev, here)) {
            PixelD a = prev, b = here;
            if (ClipSegment(box, a, b)) batch.Segment(Round(a), Round(b), MapColour(p.pen), width);
        }
        prev = here;
    }
}

}  // namespace

void MapIndex::Build(const std::vector<MapPoint>& points) {
    spans_.clear();
    polygons_.clear();
    const size_t n = std::find_if(points.begin(), points.end(), [](const MapPoint& p) { return p.pen == kPenEnd; }) -
                     points.begin();
    for (size_t i = 0; i < n; ++i) {
        if (i == 0 || points[i].pen == kPenMove) {
            if (!spans_.empty()) spans_.back().end = i;
            spans_.push_back({i, n, {}, polygons_.size(), polygons_.size()});
        }
        Grow(spans_.back().bounds, points[i], i == spans_.back().begin);
        if (points[i].attribute != kPolygonFirst) continue;
        MapPolygon poly{i, i + 1, 0, {}};
        Grow(poly.bounds, points[i], true);
        while (poly.end < n && points[poly.end].attribute == kPolygonMore) Grow(poly.bounds, points[poly.end++], false);
        if (poly.end < n && IsLastVertex(points[poly.end].attribute)) {
            poly.fill = points[poly.end].attribute;
            Grow(poly.bounds, points[poly.end++], false);
        }
        polygons_.push_back(poly);
        spans_.back().endPolygon = polygons_.size();
    }
    if (!spans_.empty()) spans_.back().end = n;
}

void DrawMapPoints(Surface& s, const MapView& view, const std::vector<MapPoint>& points, const MapIndex& index,
                   bool filledPolygons, std::optional<Rgb> unlistedFill) {
    const GeoRect visible = view.Visible();
    const ClipBox box = BoxFor(view);
    LineBatch batch(s);
    bool ended = false;
    for (const MapSpan& span : index.Spans()) {
        if (filledPolygons) {
            for (size_t k = span.firstPolygon; k < span.endPolygon; ++k) {
                const MapPolygon& poly = index.Polygons()[k];
                if (!Overlaps(poly.bounds, visible)) continue;
                batch.Flush();
                FillPolygon(s, view, points, poly, box, unlistedFill);
            }
        }
        if (!Overlaps(span.bounds, visible)) continue;
        DrawSpan(view, points, span, box, batch, ended);
        if (ended) break;
    }
}

std::string LabelTextAsUtf8(std::string_view text) { return TextAsUtf8(text); }

namespace {

void DrawSymbolLabel(Surface& s, Point p, std::string_view rest, const MapDrawOptions& o) {
    const char table = rest.size() >= 2 ? rest[0] : '/';
    const char code = rest.size() >= 2 ? rest[1] : (rest.empty() ? ' ' : rest[0]);
    if (o.symbolArtist) {
        o.symbolArtist->DrawSymbol(s, p, table, code);
        return;
    }
    s.SetPen(Rgb{0, 0, 0}, 1);
    s.SetBrush(Rgb{255, 255, 0});
    s.Ellipse({p.x - 4, p.y - 4, p.x + 5, p.y + 5});
    s.NoBrush();
}

void DrawRotatedLabel(Surface& s, Point p, const MapLabel& l) {
    if (l.text.size() < 5) return;
    int angle = 0;
    for (size_t i = 1; i < 4; ++i) {
        if (l.text[i] < '0' || l.text[i] > '9') return;
        angle = angle * 10 + (l.text[i] - '0');
    }
    std::string text = l.text.substr(4, 28);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    int direction = 90 - angle;
    if (direction < 0) direction += 360;
    s.Text(p, LabelTextAsUtf8(text), MapColour(l.code & 0x7F), direction);
}

// Where text already stands, in cells of 4 pixels: a name that would land
// on another is left out, so a dense area stays readable. Maps list their
// biggest places first, and those win.
class TextSpace {
public:
    TextSpace(int width, int height) : w_(std::max(1, width / 4 + 1)), h_(std::max(1, height / 4 + 1)), used_(size_t(w_) * size_t(h_)) {}
    bool Take(int left, int top, int right, int bottom) {
        const int x0 = std::clamp(left / 4, 0, w_ - 1), x1 = std::clamp(right / 4, 0, w_ - 1);
        const int y0 = std::clamp(top / 4, 0, h_ - 1), y1 = std::clamp(bottom / 4, 0, h_ - 1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (used_[size_t(y) * size_t(w_) + size_t(x)]) return false;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) used_[size_t(y) * size_t(w_) + size_t(x)] = 1;
        return true;
    }

private:
    int w_, h_;
    std::vector<uint8_t> used_;
};

}  // namespace

void DrawMapLabels(Surface& s, const MapView& view, const std::vector<MapLabel>& labels,
                   const MapDrawOptions& o) {
    if (!o.labels && !o.symbols) return;
    const GeoRect visible = view.Visible();
    const int height = s.TextHeight();
    const int lift = height / 3;  // text centred on the point's height
    TextSpace space(view.Width(), view.Height());
    for (const MapLabel& l : labels) {
        if (!(l.lat > visible.north && l.lat < visible.south && l.lon > visible.west && l.lon < visible.east)) continue;
        if (l.scaleLimit != 0 && l.scaleLimit < view.Scale()) continue;
        const Projected pr = view.Project({l.lon, l.lat});
        const Point p = pr.pixel;
        if (!l.text.empty() && l.text[0] == '#') {
            if (o.labels) DrawRotatedLabel(s, p, l);
        } else if (!l.text.empty() && l.text[0] == '$') {
            if (o.symbols) DrawSymbolLabel(s, p, std::string_view(l.text).substr(1), o);
        } else if (o.labels) {
            const int code = l.code & 0x7F;
            const Rgb colour = code == 1 ? o.defaultLabel : MapColour(code);
            const std::string text = LabelTextAsUtf8(l.text);
            const int width = s.TextWidth(text);
            const int x = (l.code & 0x80) ? p.x : p.x - width;
            if (o.declutter && !space.Take(x, p.y + lift - height + 2, x + width, p.y + lift + 2)) continue;
            s.Text({x, p.y + lift}, text, colour);
        }
    }
}

void DrawMapBoundaries(Surface& s, const MapView& view, const std::vector<MapDescriptor>& maps) {
    for (const MapDescriptor& d : maps) {
        if (!d.valid) continue;
        int code = 0;
        if (d.IsType("100K")) code = 3;
        else if (d.IsType("APRS")) code = 4;
        else if (d.IsType("DCW ")) code = 2;
        else if (d.IsType("TGR ") || d.IsType("ZOOM")) code = 5;
        else if (d.IsType("QMZ7")) code = 6;
        const auto clampPx = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -30000, 30000)); };
        const MapView::PixelXY nw = view.ProjectXY({d.west, d.north}), se = view.ProjectXY({d.east, d.south});
        const Rect r{clampPx(nw.x), clampPx(nw.y), clampPx(se.x), clampPx(se.y)};
        if (r.right < 0 || r.bottom < 0 || r.left > view.Width() || r.top > view.Height()) continue;
        s.SetPen(MapColour(code), 1);
        s.NoBrush();
        s.Rectangle(r);
        const std::string name = LabelTextAsUtf8(d.fileName);
        const int w = s.TextWidth(name);
        if (w < r.Width()) s.Text({r.left + (r.Width() - w) / 2, r.top + r.Height() / 2}, name, MapColour(code));
    }
}

}  // namespace velmora
