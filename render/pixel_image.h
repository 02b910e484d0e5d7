#pragma once

#include <vector>

#include "render/drawing_surface.h"

namespace seedscape {

// A drawing surface held in memory. Pixels outside it are ignored, as a
// window ignores drawing beyond its edges.
class PixelImage : public DrawingSurface {
  public:
    PixelImage(int width, int height);

    void SetPixel(int x, int y, ColourValue colour) override;
    void SetColumn(int x, int top, const ColourValue* colours, int count) override;

    int width() const { return width_; }
    int height() const { return height_; }
    ColourValue At(int x, int y) const { return pixels_[Index(x, y)]; }

    // The rectangle of `width` x `height` pixels whose top left is (left, top).
    PixelImage Crop(int left, int top, int width, int height) const;

    friend bool operator==(const PixelImage& a, const PixelImage& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<ColourValue> pixels_;
};

// A window onto a larger surface, kept in a small image: it holds what a
// surface of `surface_width` x `surface_height` pixels would show in the
// image's rectangle whose top left is (left, top), so that one picture needs
// no canvas of the whole surface. Drawing beyond the surface or the
// rectangle is ignored.
class ImageWindow : public DrawingSurface {
  public:
    ImageWindow(PixelImage& image, int left, int top, int surface_width, int surface_height);

    void SetPixel(int x, int y, ColourValue colour) override;
    void SetColumn(int x, int top, const ColourValue* colours, int count) override;

  private:
    bool OnSurface(int x, int y) const {
        return x >= 0 && y >= 0 && x < surface_width_ && y < surface_height_;
    }

    PixelImage& image_;
    int left_;
    int top_;
    int surface_width_;
    int surface_height_;
};

}  // namespace seedscape
