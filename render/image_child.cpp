#include "render/image_child.h"

#include <cmath>

namespace seedscape {

bool IsOnImageMother(double x, double y) {
    return x <= kImageWidth - 1 && y <= kImageHeight - 1;
}

TilePlace TileOffset(const ImageState& state) {
    return {static_cast<int>(state.zamikx), static_cast<int>(state.zamiky)};
}

void AdvanceTileOffset(ImageState& state) {
    const TilePlace next = NextChildPlace(TileOffset(state));
    state.zamikx = next.x;
    state.zamiky = next.y;
}

bool RenderImageChild(ImageState& state, DrawingSurface& surface, float x, float y,
                      const RenderPass& pass) {
    return RenderImageChild(state, x, y, [&](ImageState& view) { pass(view, surface); });
}

bool RenderImageChild(ImageState& state, float x, float y,
                      const std::function<void(ImageState&)>& draw) {
    state.xt = x;
    state.yt = y;
    if (!IsOnImageMother(state.xt, state.yt)) return false;

    // Shift the view so that the pressed point becomes the child's centre.
    state.di = state.di + state.xt - std::floor(state.sir / 2);
    state.dj = state.dj + state.yt - std::floor(state.vis / 2);
    AdvanceTileOffset(state);

    const double f = state.f;
    state.zoomx1 = f * state.zoomx1;
    state.zoomx2 = (1 / f) * state.zoomx2;
    state.zoomy1 = f * state.zoomy1;
    state.zoomy2 = (1 / f) * state.zoomy2;
    state.di = f * state.di;
    state.dj = f * state.dj;

    draw(state);

    // Multiplying by 1/f and dividing by it again gives back 2 exactly for
    // every f from 1 to 100, so the base view returns bit for bit.
    state.zoomx1 = state.zoomx1 / f;
    state.zoomx2 = state.zoomx2 / (1 / f);
    state.zoomy1 = state.zoomy1 / f;
    state.zoomy2 = state.zoomy2 / (1 / f);
    state.di = 0;
    state.dj = 0;
    return true;
}

}  // namespace seedscape
