#include "platform/qt/QtSurface.h"

#include <QFontMetrics>

namespace velmora {
namespace {

QColor ToQt(Rgb c) { return QColor(c.r, c.g, c.b); }
QPoint ToQt(Point p) { return QPoint(p.x, p.y); }
QRect ToQt(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

QtSurface::QtSurface(int width, int height, double scale)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      scale_(scale >= 1 ? scale : 1),
      image_(static_cast<int>(width_ * scale_), static_cast<int>(height_ * scale_), QImage::Format_ARGB32_Premultiplied) {
    image_.setDevicePixelRatio(scale_);
    image_.fill(Qt::white);
    font_.setPixelSize(12);
}

QtSurface::~QtSurface() = default;

// The painter is made on first use and after Finish, and always carries
// the current pen, brush, font, mode and clip.
QPainter& QtSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, true);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setPen(pen_);
        painter_->setBrush(brush_);
        painter_->setFont(font_);
        painter_->setCompositionMode(mode_);
        if (clip_) painter_->setClipRect(*clip_);
    }
    return *painter_;
}

void QtSurface::SetPen(Rgb colour, int width, PenStyle style) {
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::NoPen};
    pen_ = QPen(ToQt(colour), width, kStyles[static_cast<int>(style)], Qt::RoundCap, Qt::RoundJoin);
    Painter().setPen(pen_);
}

void QtSurface::SetTranslucentBrush(Rgb colour, uint8_t opacity) {
    QColor c = ToQt(colour);
    c.setAlpha(opacity);
    brush_ = QBrush(c);
    Painter().setBrush(brush_);
}

void QtSurface::SetBrush(Rgb colour) {
    brush_ = QBrush(ToQt(colour));
    Painter().setBrush(brush_);
}

void QtSurface::NoBrush() {
    brush_ = QBrush(Qt::NoBrush);
    Painter().setBrush(brush_);
}

void QtSurface::SetDrawMode(DrawMode mode) {
    mode_ = mode == DrawMode::kInvert ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver;
    Painter().setCompositionMode(mode_);
    // Inverting is exact only without smoothing: a half-covered pixel would
    // not come back when drawn twice.
    Painter().setRenderHint(QPainter::Antialiasing, mode != DrawMode::kInvert);
    if (mode == DrawMode::kInvert) Painter().setPen(QPen(Qt::white, pen_.widthF()));
    else Painter().setPen(pen_);
}

void QtSurface::LineTo(Point p) {
    Painter().drawLine(ToQt(at_), ToQt(p));
    at_ = p;
}

void QtSurface::Rectangle(const Rect& r) { Painter().drawRect(ToQt(r).adjusted(0, 0, -1, -1)); }
void QtSurface::FillRect(const Rect& r, Rgb colour) { Painter().fillRect(ToQt(r), ToQt(colour)); }
void QtSurface::Ellipse(const Rect& bounds) { Painter().drawEllipse(ToQt(bounds).adjusted(0, 0, -1, -1)); }

void QtSurface::Polygon(const std::vector<Point>& points) {
    QPolygon poly;
    for (const Point& p : points) poly << ToQt(p);
    QPainter& painter = Painter();
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    if (pen_.style() == Qt::NoPen) painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawPolygon(poly);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

void QtSurface::Polyline(const std::vector<Point>& points) {
    QPolygon poly;
    for (const Point& p : points) poly << ToQt(p);
    Painter().drawPolyline(poly);
}

void QtSurface::SetFont(int pixelSize, bool bold) {
    font_.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font_.setBold(bold);
    Painter().setFont(font_);
}

void QtSurface::Text(Point p, std::string_view text, Rgb colour, double degrees) {
    QPainter& painter = Painter();
    painter.save();
    painter.setPen(ToQt(colour));
    painter.translate(ToQt(p));
    if (degrees != 0) painter.rotate(-degrees);
    painter.drawText(QPoint(0, 0), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter.restore();
}

int QtSurface::TextWidth(std::string_view text) const {
    return QFontMetrics(font_).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QtSurface::TextHeight() const { return QFontMetrics(font_).height(); }

void QtSurface::DrawImage(Point topLeft, const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return;
    const QImage q(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                   image.width * 4, QImage::Format_ARGB32);
    Painter().drawImage(ToQt(topLeft), q);
}

void QtSurface::SetClip(const Rect& r) {
    clip_ = ToQt(r);
    Painter().setClipRect(*clip_);
}

void QtSurface::ClearClip() {
    clip_.reset();
    Painter().setClipping(false);
}

const QImage& QtSurface::Finish() {
    painter_.reset();
    return image_;
}

bool QtSurface::SavePng(const std::string& path) { return Finish().save(QString::fromStdString(path), "PNG"); }

std::unique_ptr<Surface> QtSurface::MakeLayer(int width, int height) const {
    auto layer = std::make_unique<QtSurface>(width, height, scale_);
    layer->image_.fill(Qt::transparent);
    return layer;
}

void QtSurface::DrawLayer(const Surface& layer, Point topLeft) {
    // Only our own kind is ever stamped here.
    const auto& q = static_cast<const QtSurface&>(layer);
    Painter().drawImage(QPoint(topLeft.x, topLeft.y), const_cast<QtSurface&>(q).Finish());
}

void QtSurface::DrawPicture(const QImage& picture) {
    QPainter& p = Painter();
    p.save();
    p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture);
    p.restore();
}

}  // namespace velmora
