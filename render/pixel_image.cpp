#include "render/pixel_image.h"

#include <algorithm>

namespace seedscape {

PixelImage::PixelImage(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

void PixelImage::SetPixel(int x, int y, ColourValue colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[Index(x, y)] = colour;
}

void PixelImage::SetColumn(int x, int top, const ColourValue* colours, int count) {
    if (x < 0 || x >= width_) return;
    for (int k = 0; k < count; ++k) {
        const int y = top + k;
        if (y >= 0 && y < height_) pixels_[Index(x, y)] = colours[k];
    }
}

PixelImage PixelImage::Crop(int left, int top, int width, int height) const {
    PixelImage part(width, height);
    for (int y = 0; y < part.height_; ++y) {
        for (int x = 0; x < part.width_; ++x) {
            const int from_x = left + x;
            const int from_y = top + y;
            if (from_x >= 0 && from_y >= 0 && from_x < width_ && from_y < height_) {
                part.pixels_[part.Index(x, y)] = At(from_x, from_y);
            }
        }
    }
    return part;
}

ImageWindow::ImageWindow(PixelImage& image, int left, int top, int surface_width,
                         int surface_height)
    : image_(image),
      left_(left),
      top_(top),
      surface_width_(surface_width),
      surface_height_(surface_height) {}

void ImageWindow::SetPixel(int x, int y, ColourValue colour) {
    if (OnSurface(x, y)) image_.SetPixel(x - left_, y - top_, colour);
}

void ImageWindow::SetColumn(int x, int top, const ColourValue* colours, int count) {
    if (x < 0 || x >= surface_width_) return;
    // Only the part of the column that lies on the surface.
    const int first = std::max(0, -top);
    const int end = std::min(count, surface_height_ - top);
    if (first < end) image_.SetColumn(x - left_, top + first - top_, colours + first, end - first);
}

}  // namespace seedscape
