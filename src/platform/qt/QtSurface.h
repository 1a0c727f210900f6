#pragma once
// The drawing surface with QPainter on a QImage: windows draw the map into
// the image and repaint from it, and the headless console saves it as PNG.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>
#include <optional>
#include <string>

#include "platform/Surface.h"

namespace velmora {

class QtSurface final : public Surface {
public:
    // Width and height in points; a scale of 2 draws every point as two
    // pixels each way, for high-density screens.
    QtSurface(int width, int height, double scale = 1.0);
    ~QtSurface() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetPen(Rgb colour, int width, PenStyle style = PenStyle::kSolid) override;
    void SetBrush(Rgb colour) override;
    void SetTranslucentBrush(Rgb colour, uint8_t opacity) override;
    void NoBrush() override;
    void SetDrawMode(DrawMode mode) override;
    void MoveTo(Point p) override { at_ = p; }
    void LineTo(Point p) override;
    void Rectangle(const Rect& r) override;
    void FillRect(const Rect& r, Rgb colour) override;
    void Ellipse(const Rect& bounds) override;
    // A polygon without an outline fills without smoothing: the outline
    // drawn over it hides the edge, and smoothing a large land fill costs
    // more than all the rest of a map frame.
    void Polygon(const std::vector<Point>& points) override;
    void Polyline(const std::vector<Point>& points) override;
    void SetFont(int pixelSize, bool bold = false) override;
    void Text(Point p, std::string_view text, Rgb colour, double degrees = 0) override;
    int TextWidth(std::string_view text) const override;
    int TextHeight() const override;
    void DrawImage(Point topLeft, const Image& image) override;
    std::unique_ptr<Surface> MakeLayer(int width, int height) const override;
    void DrawLayer(const Surface& layer, Point topLeft) override;
    double Density() const override { return scale_; }
    void SetClip(const Rect& r) override;
    void ClearClip() override;

    // A whole picture over the surface from its top left (the kept map
    // picture under the stations).
    void DrawPicture(const QImage& picture);
    // Ends the painting so the image is complete (painting resumes on the
    // next call).
    const QImage& Finish();
    bool SavePng(const std::string& path);

private:
    QPainter& Painter();

    int width_, height_;
    double scale_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QPen pen_;
    QBrush brush_ = Qt::NoBrush;
    QFont font_;
    QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;
    std::optional<QRect> clip_;
    Point at_;
};

}  // namespace velmora
