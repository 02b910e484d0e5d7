#include "atlas/atlas_sources.h"

#include "state/image_mother_parameters.h"
#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

Recipe OfSeed(int seed) {
    Recipe recipe;
    recipe.seed = seed;
    return recipe;
}

}  // namespace

int NextInChain(int seed) {
    ImageState state;
    state.seed = seed;
    RandomGenerator random;
    DrawParametersFromSeed(state, random);  // the generator as that mother leaves it
    DrawSeed(state, random);
    return static_cast<int>(state.seed);
}

AtlasSource AtlasSource::NextInChain(int current_seed) {
    AtlasSource source(Kind::kChain, "Next in the chain");
    source.first_ = current_seed;
    return source;
}

AtlasSource AtlasSource::FromSeed(int first) {
    AtlasSource source(Kind::kFromSeed, "From seed " + std::to_string(first));
    source.first_ = first;
    return source;
}

AtlasSource AtlasSource::Random(double number) {
    AtlasSource source(Kind::kRandom, "Random");
    source.random_.Seed(number);
    return source;
}

AtlasSource AtlasSource::Favourites(std::vector<Recipe> favourites) {
    AtlasSource source(Kind::kFavourites, "Favourites");
    source.pictures_ = std::move(favourites);
    return source;
}

std::optional<Recipe> AtlasSource::At(int index) {
    if (index < 0) return std::nullopt;
    switch (kind_) {
        case Kind::kFromSeed:
            if (first_ + static_cast<long long>(index) > kSeedRange.highest) return std::nullopt;
            return OfSeed(first_ + index);
        case Kind::kFavourites:
            if (static_cast<std::size_t>(index) >= pictures_.size()) return std::nullopt;
            return pictures_[static_cast<std::size_t>(index)];
        case Kind::kChain:
        case Kind::kRandom:
            break;
    }
    // Each picture follows from the one before: make them in order.
    while (pictures_.size() <= static_cast<std::size_t>(index)) {
        if (kind_ == Kind::kChain) {
            if (closing_seed_ != 0) return std::nullopt;
            const int before = pictures_.empty() ? first_ : pictures_.back().seed;
            if (chain_seeds_.empty()) chain_seeds_.insert(first_);
            const int next = seedscape::NextInChain(before);
            if (!chain_seeds_.insert(next).second) {
                closing_seed_ = next;
                return std::nullopt;
            }
            pictures_.push_back(OfSeed(next));
        } else {
            ImageState state;
            DrawSeed(state, random_);
            pictures_.push_back(OfSeed(static_cast<int>(state.seed)));
        }
    }
    return pictures_[static_cast<std::size_t>(index)];
}

}  // namespace seedscape
