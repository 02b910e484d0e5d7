#pragma once

#include <functional>
#include <string>

#include "recipe/recipe.h"

namespace seedscape {

struct PictureWriting {
    bool ok = false;
    bool cancelled = false;
    std::string error;  // why it failed, for a message
};

// Renders the picture a recipe names at the recipe's scale and supersampling
// and writes it to `path` as a PNG that carries the recipe, through a
// temporary file: a failed or cancelled write leaves nothing behind.
// `progress` is told the share done, 0 to 1, now and then, rendering and
// encoding together; returning false cancels.
PictureWriting WritePicturePng(const Recipe& recipe, const std::string& path,
                               const std::function<bool(double done)>& progress = {});

}  // namespace seedscape
