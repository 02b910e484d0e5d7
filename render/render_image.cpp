#include "render/render_image.h"

#include "colour/palette.h"
#include "maths/maths.h"
#include "render/distances.h"
#include "render/iterate_formula.h"
#include "render/pixel_colour.h"

namespace seedscape {

void ComputePixel(ImageState& state) {
    state.zr = 0;
    state.zi = 0;
    state.zr2 = 0;
    state.zi2 = 0;
    state.cr = state.x;
    state.ci = state.y;
    state.n = 1;
    ComputeDistances(state);
    IterateFormula(state);
    // A failing colour statement just leaves the channels it did not reach.
    ComputePixelColour(state);
}

ColourValue ClampAndRound(ImageState& state) {
    if (state.re < 0) state.re = 0;
    if (state.gr < 0) state.gr = 0;
    if (state.bl < 0) state.bl = 0;
    if (state.re > 255) state.re = 255;
    if (state.gr > 255) state.gr = 255;
    if (state.bl > 255) state.bl = 255;
    return MakeColour(static_cast<int>(maths::RoundHalfEven(state.re)),
                      static_cast<int>(maths::RoundHalfEven(state.gr)),
                      static_cast<int>(maths::RoundHalfEven(state.bl)));
}

void RenderImage(ImageState& state, DrawingSurface& surface) {
    BuildPalette(state);
    for (state.i = 0; state.i <= state.sir; state.i = state.i + 1) {
        state.x = (state.i + state.di) / state.zoomx1 - state.zoomx2;
        for (state.j = 0; state.j <= state.vis; state.j = state.j + 1) {
            // The imaginary axis points up: a larger row gives a smaller y.
            state.y = state.zoomy2 - (state.j + state.dj) / state.zoomy1;
            ComputePixel(state);
            const ColourValue colour = ClampAndRound(state);
            surface.SetPixel(static_cast<int>(state.i + state.zamikx),
                             static_cast<int>(state.j + state.zamiky), colour);
        }
    }
}

}  // namespace seedscape
