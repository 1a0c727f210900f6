#pragma once
// A drawing surface for tests: every call becomes one line of text
// ("line 10,20 30,40 #ff0000 w1"), so a test can look for what was drawn
// and in which order. Text is measured at a fixed 6 pixels a character.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace velmora {

class RecordingSurface final : public Surface {
public:
    RecordingSurface(int width = 640, int height = 480) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void SetPen(Rgb c, int width, PenStyle style = PenStyle::kSolid) override {
        pen_ = c;
        penWidth_ = width;
        penStyle_ = style;
    }
    void SetBrush(Rgb c) override { brush_ = c, hasBrush_ = true; }
    void NoBrush() override { hasBrush_ = false; }
    void SetDrawMode(DrawMode m) override { Add(m == DrawMode::kInvert ? "mode invert" : "mode copy"); }
    void MoveTo(Point p) override { at_ = p; }
    void LineTo(Point p) override {
        Add("line " + Xy(at_) + " " + Xy(p) + " " + Pen());
        at_ = p;
    }
    void Rectangle(const Rect& r) override { Add("rect " + Box(r) + " " + Pen() + Brush()); }
    void FillRect(const Rect& r, Rgb c) override { Add("fill " + Box(r) + " " + Hex(c)); }
    void Ellipse(const Rect& r) override { Add("ellipse " + Box(r) + " " + Pen() + Brush()); }
    void Polygon(const std::vector<Point>& pts) override { Add("polygon " + Points(pts) + Pen() + Brush()); }
    void Polyline(const std::vector<Point>& pts) override { Add("polyline " + Points(pts) + Pen()); }
    void SetFont(int pixelSize, bool bold = false) override { fontSize_ = pixelSize, bold_ = bold; }
    void Text(Point p, std::string_view text, Rgb c, double degrees = 0) override {
        char angle[32];
        std::snprintf(angle, sizeof angle, " %g", degrees);
        Add("text " + Xy(p) + " " + Hex(c) + angle + " " + std::string(text));
    }
    int TextWidth(std::string_view text) const override { return static_cast<int>(text.size()) * 6; }
    int TextHeight() const override { return fontSize_; }
    void DrawImage(Point p, const Image& image) override {
        Add("image " + Xy(p) + " " + std::to_string(image.width) + "x" + std::to_string(image.height));
    }
    std::unique_ptr<Surface> MakeLayer(int width, int height) const override {
        return std::make_unique<RecordingSurface>(width, height);
    }
    // A stamped layer shows as the calls it holds, moved to where it went.
    void DrawLayer(const Surface& layer, Point p) override {
        Add("layer " + Xy(p) + " " + std::to_string(layer.Width()) + "x" + std::to_string(layer.Height()));
        for (const std::string& c : static_cast<const RecordingSurface&>(layer).calls) Add("  " + c);
    }
    void SetClip(const Rect& r) override { Add("clip " + Box(r)); }
    void ClearClip() override { Add("clip none"); }

    // What was drawn, a line per call.
    std::vector<std::string> calls;

private:
    void Add(std::string call) { calls.push_back(std::move(call)); }
    static std::string Xy(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    static std::string Box(const Rect& r) { return Xy({r.left, r.top}) + " " + Xy({r.right, r.bottom}); }
    static std::string Hex(Rgb c) {
        char s[8];
        std::snprintf(s, sizeof s, "#%02x%02x%02x", c.r, c.g, c.b);
        return s;
    }
    static std::string Points(const std::vector<Point>& pts) {
        std::string s;
        for (const Point& p : pts) s += Xy(p) + " ";
        return s;
    }
    std::string Pen() const {
        static constexpr const char* kStyles[] = {"", " dash", " dot", " nopen"};
        return Hex(pen_) + " w" + std::to_string(penWidth_) + kStyles[static_cast<int>(penStyle_)];
    }
    std::string Brush() const { return hasBrush_ ? " brush " + Hex(brush_) : ""; }

    int width_, height_;
    Rgb pen_, brush_;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::kSolid;
    bool hasBrush_ = false;
    Point at_;
    int fontSize_ = 12;
    bool bold_ = false;
};

}  // namespace velmora
