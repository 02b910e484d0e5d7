#include "recipe/draw_recipe.h"

namespace seedscape {

namespace {

// Keeps only what is drawn into one place of the grid, in an image of that
// place's size: no canvas for the whole grid is made for one picture.
class PlaceSurface : public DrawingSurface {
  public:
    explicit PlaceSurface(TilePlace place) : place_(place), image_(kImageWidth, kImageHeight) {}

    void SetPixel(int x, int y, ColourValue colour) override {
        image_.SetPixel(x - place_.x, y - place_.y, colour);
    }
    void SetColumn(int x, int top, const ColourValue* colours, int count) override {
        image_.SetColumn(x - place_.x, top - place_.y, colours, count);
    }

    PixelImage& image() { return image_; }

  private:
    TilePlace place_;
    PixelImage image_;
};

}  // namespace

void DrawRecipe(const Recipe& recipe, ImageState& state, DrawingSurface& surface,
                const RenderPass& pass) {
    state = RecipeMotherRecord(recipe);
    pass(state, surface);
    for (const RecipePress& press : recipe.presses) {
        state.f = press.f;
        RenderImageChild(state, surface, press.x, press.y, pass);
    }
}

TilePlace PlaceOfPicture(const Recipe& recipe) {
    ImageState state;
    for (std::size_t k = 0; k < recipe.presses.size(); ++k) AdvanceTileOffset(state);
    return {static_cast<int>(state.zamikx), static_cast<int>(state.zamiky)};
}

PixelImage RenderRecipePicture(const Recipe& recipe, const RenderPass& pass) {
    PlaceSurface surface(PlaceOfPicture(recipe));
    ImageState state;
    DrawRecipe(recipe, state, surface, pass);
    return std::move(surface.image());
}

}  // namespace seedscape
