#include "app/grid/grid_pictures.h"

namespace seedscape {

void GridPictures::StartMother(const Recipe& mother) {
    recipe_ = OnScreen(mother);
    recipe_.presses.clear();
    presses_at_.fill(-1);
    presses_at_[0] = 0;
}

void GridPictures::AddPress(const RecipePress& press, TilePlace place) {
    recipe_.presses.push_back(press);
    const int index = PlaceIndexAt(place.x, place.y);
    if (index >= 0) presses_at_[index] = static_cast<int>(recipe_.presses.size());
}

void GridPictures::ShowAll(const Recipe& recipe) {
    StartMother(recipe);
    TilePlace place;
    for (const RecipePress& press : recipe.presses) {
        place = NextChildPlace(place);
        AddPress(press, place);
    }
}

std::optional<Recipe> GridPictures::PictureAt(int index) const {
    if (index < 0 || index >= kGridPlaces || presses_at_[index] < 0) return std::nullopt;
    Recipe picture = recipe_;
    picture.presses.resize(static_cast<std::size_t>(presses_at_[index]));
    return picture;
}

}  // namespace seedscape
