#pragma once

#include <array>
#include <optional>

#include "colour/grading.h"
#include "recipe/recipe.h"

namespace seedscape {

// What the Edit section changes of a recipe: its parameters set by hand and
// its grading. The seed and the presses stay as they are, so an edit keeps
// the grid's children.
struct HandSetFields {
    std::array<std::optional<double>, 14> overrides;
    Grading grading;

    friend bool operator==(const HandSetFields&, const HandSetFields&) = default;
};

HandSetFields HandSetFieldsOf(const Recipe& recipe);

// `recipe` with `fields` in place of its own.
Recipe WithHandSetFields(Recipe recipe, const HandSetFields& fields);

// The index in SettableFields() of the field called `name`; it must exist.
int SettableFieldIndex(const char* name);

// The value `recipe` gives the field at `index`: its hand-set value, or the
// seed's own.
double FieldValue(const Recipe& recipe, int index);

}  // namespace seedscape
