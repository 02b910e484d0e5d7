#pragma once

#include "render/pixel_image.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"

namespace seedscape::testing {

// The image mother of `seed`, rendered by the engine alone: what the window
// and the command-line renderer must both show for that seed.
inline PixelImage EngineImageMother(double seed) {
    ImageState state = ImageMotherRecord(seed);
    PixelImage image(kImageWidth, kImageHeight);
    RenderImage(state, image);
    return image;
}

// The image at grid place `number` (0 is the mother's) of a whole canvas.
inline PixelImage ImageAtPlace(const PixelImage& canvas, int number) {
    const TilePlace place = PlaceNumber(number);
    return canvas.Crop(place.x, place.y, kImageWidth, kImageHeight);
}

}  // namespace seedscape::testing
