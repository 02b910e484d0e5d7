#include "app/flights/rgb_qimage.h"

#include <cstring>

namespace seedscape {

QImage RgbToQImage(const RgbImage& image) {
    QImage converted(image.width, image.height, QImage::Format_RGB888);
    const auto row_bytes = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(converted.scanLine(y), image.At(0, y), row_bytes);
    }
    return converted;
}

RgbImage QImageToRgb(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    RgbImage converted(rgb.width(), rgb.height());
    const auto row_bytes = static_cast<std::size_t>(rgb.width()) * 3;
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(converted.At(0, y), rgb.constScanLine(y), row_bytes);
    }
    return converted;
}

}  // namespace seedscape
