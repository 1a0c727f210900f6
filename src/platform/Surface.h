#pragma once
// The drawing surface the maps and charts draw on: a pen and a brush, moves
// and lines, paths, rectangles and ellipses, text with its measured width,
// images, and an invert mode for rubber bands and cursors. Coordinates are
// pixels from the top left. The desktop draws with QPainter into an image;
// tests record the calls.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum class PenStyle : uint8_t { kSolid, kDash, kDot, kNone };
enum class DrawMode : uint8_t { kCopy, kInvert };  // kInvert: each pixel drawn is inverted

// An image in memory, 32-bit 0xAARRGGBB, row by row.
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

class Surface {
public:
    virtual ~Surface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SetPen(Rgb colour, int width, PenStyle style = PenStyle::kSolid) = 0;
    // The fill of closed shapes; none leaves them hollow.
    virtual void SetBrush(Rgb colour) = 0;
    // A fill that lets what lies under it show through (opacity 0-255);
    // a surface that cannot blend fills solidly.
    virtual void SetTranslucentBrush(Rgb colour, uint8_t /*opacity*/) { SetBrush(colour); }
    virtual void NoBrush() = 0;
    virtual void SetDrawMode(DrawMode mode) = 0;

    virtual void MoveTo(Point p) = 0;
    // A line from the current point, which moves to p.
    virtual void LineTo(Point p) = 0;
    virtual void Rectangle(const Rect& r) = 0;
    virtual void FillRect(const Rect& r, Rgb colour) = 0;
    virtual void Ellipse(const Rect& bounds) = 0;
    // A closed polygon, outlined with the pen and filled with the brush.
    virtual void Polygon(const std::vector<Point>& points) = 0;
    // An open polyline with the pen.
    virtual void Polyline(const std::vector<Point>& points) = 0;

    // Text with its baseline's left end at p, in a font of this pixel size;
    // degrees turn it counter-clockwise about p.
    virtual void SetFont(int pixelSize, bool bold = false) = 0;
    virtual void Text(Point p, std::string_view text, Rgb colour, double degrees = 0) = 0;
    // Width and height in pixels of the text in the current font.
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int TextHeight() const = 0;

    virtual void DrawImage(Point topLeft, const Image& image) = 0;
    // A blank surface of the same kind and density, to draw once and stamp
    // many times (symbol pictures); and stamping one drawn that way.
    virtual std::unique_ptr<Surface> MakeLayer(int width, int height) const = 0;
    virtual void DrawLayer(const Surface& layer, Point topLeft) = 0;
    // Pixels per point (2 on a high-density screen).
    virtual double Density() const { return 1.0; }
    // Everything outside r is left untouched until the clip is cleared.
    virtual void SetClip(const Rect& r) = 0;
    virtual void ClearClip() = 0;
};

}  // namespace velmora
