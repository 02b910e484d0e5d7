#include "app/editing/hand_set_fields.h"

#include <cstdlib>

#include "recipe/settable_fields.h"

namespace seedscape {

HandSetFields HandSetFieldsOf(const Recipe& recipe) {
    return {recipe.overrides, recipe.grading};
}

Recipe WithHandSetFields(Recipe recipe, const HandSetFields& fields) {
    recipe.overrides = fields.overrides;
    recipe.grading = fields.grading;
    return recipe;
}

int SettableFieldIndex(const char* name) {
    const SettableField* field = FindSettableField(name);
    if (field == nullptr) std::abort();  // a name in our own code: a fault of ours
    return static_cast<int>(field - SettableFields().data());
}

double FieldValue(const Recipe& recipe, int index) {
    if (const auto& value = recipe.overrides[static_cast<std::size_t>(index)]) return *value;
    return SettableFields()[static_cast<std::size_t>(index)].load(RecipeMotherRecord(recipe));
}

}  // namespace seedscape
