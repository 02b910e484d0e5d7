#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "image_file/rgb_image.h"

namespace seedscape {

using Rgb = std::array<std::uint8_t, 3>;

// The face the window writes in, and the ones fontconfig may choose instead.
inline constexpr char kLabelFontFamily[] = "Liberation Sans";

// A font for short labels: fontconfig finds the face, FreeType draws its
// glyphs, anti-aliased. Only for ASCII text, which is all a label holds.
class LabelFont {
  public:
    // The font closest to kLabelFontFamily at `pixel_size`, or nullptr and
    // the reason in `error` when there is none.
    static std::unique_ptr<LabelFont> Open(int pixel_size, std::string& error);
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    // How far `text` reaches from its start, in pixels.
    int Width(std::string_view text) const;
    // Pixels above and below the baseline that letters and digits use.
    int Ascent() const;
    int Descent() const;

    // Draws `text` from x with its baseline at row `baseline`, blending `ink`
    // over the image by each pixel's coverage. What falls outside the image
    // is left out.
    void Draw(RgbImage& image, int x, int baseline, std::string_view text, Rgb ink) const;

    // The font file in use, for messages.
    const std::string& file() const;

  private:
    struct Face;
    explicit LabelFont(std::unique_ptr<Face> face);
    std::unique_ptr<Face> face_;
};

}  // namespace seedscape
