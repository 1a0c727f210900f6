#include "ui/GarminScreen.h"

namespace velmora {

QImage GarminScreenImage(const GarminLink& link) {
    const int w = link.ScreenWidth(), h = link.ScreenHeight();
    if (w <= 0 || h <= 0) return {};
    static constexpr QRgb kGreys[4] = {qRgb(255, 255, 255), qRgb(170, 170, 170), qRgb(85, 85, 85), qRgb(0, 0, 0)};
    QImage image(w, h, QImage::Format_RGB32);
    const auto& pixels = link.ScreenPixels();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, kGreys[pixels[size_t(y) * size_t(w) + size_t(x)] & 3]);
    return image;
}

}  // namespace velmora
