#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "recipe/recipe.h"
#include "state/random_generator.h"

namespace seedscape {

// The seed after `seed` in the chain that "new" walks: the one the
// generator draws once that seed's image mother has drawn its parameters.
int NextInChain(int seed);

// A list of pictures for the atlas to show, as long as it is asked to be.
class AtlasSource {
  public:
    // The mothers that pressing "new" would show next, in order, after the
    // mother of `current_seed`, up to where the chain closes: the seeds form
    // a function on a finite set, so every chain ends in a loop, and past the
    // first seed that comes round again "new" draws from the clock instead.
    static AtlasSource NextInChain(int current_seed);
    // `first`, `first` + 1, ... up to the last seed.
    static AtlasSource FromSeed(int first);
    // Seeds drawn from a generator of the atlas's own, seeded with `number`:
    // the window's chain is not touched.
    static AtlasSource Random(double number);
    static AtlasSource Favourites(std::vector<Recipe> favourites);

    // The picture at `index` (from 0), or nothing past the end of the list.
    std::optional<Recipe> At(int index);

    // "Next in the chain", "From seed 500", "Random", "Favourites".
    const std::string& name() const { return name_; }

    // Once At() has met the end of a chain that closes: the seed that would
    // come round again. 0 otherwise.
    int closing_seed() const { return closing_seed_; }

  private:
    enum class Kind { kChain, kFromSeed, kRandom, kFavourites };
    AtlasSource(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

    Kind kind_;
    std::string name_;
    int first_ = 1;
    RandomGenerator random_;
    std::vector<Recipe> pictures_;         // those made so far (all of them for favourites)
    std::unordered_set<int> chain_seeds_;  // the chain's seeds so far, its start included
    int closing_seed_ = 0;
};

}  // namespace seedscape
