#include "flight/flight_frames.h"

#include <algorithm>
#include <array>
#include <utility>

#include "colour/linear_light.h"
#include "recipe/draw_recipe.h"
#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// The record a recipe's picture is rendered from, with the pictures before it
// skipped: its view, its place and its parameters are right, the values the
// earlier pictures would carry in are not.
ImageState ViewRecord(const Recipe& recipe) {
    ImageState state = RecipeMotherRecord(recipe);
    ImageState named;
    DrawRecipe(recipe, state, [&named](ImageState& view, const RecipePicture& picture) {
        if (picture.last) named = view;
    });
    return named;
}

// Scales the share of one part of a frame's work into the whole frame's.
std::function<bool(double)> PartOf(const std::function<bool(double)>& progress, double from,
                                   double to) {
    if (!progress) return {};
    return [progress, from, to](double done) { return progress(from + done * (to - from)); };
}

}  // namespace

FlightFrames::FlightFrames(Flight flight, ExportOptions options)
    : flight_(std::move(flight)), options_(std::move(options)) {
    for (const FlightKey& key : flight_.keys) key_views_.push_back(ViewRecord(key.recipe));
    for (std::size_t k = 0; k + 1 < key_views_.size(); ++k) {
        segment_moves_.push_back(SameFamily(key_views_[k], key_views_[k + 1]));
    }
    records_.resize(key_views_.size());
}

int FlightFrames::width() const {
    return kImageWidth * flight_.scale;
}

int FlightFrames::height() const {
    return kImageHeight * flight_.scale;
}

FramePlan FlightFrames::Plan(std::int64_t frame) const {
    return PlanFrame(flight_, frame, segment_moves_);
}

std::optional<RgbImage> FlightFrames::Draw(std::int64_t frame,
                                           const std::function<bool(double)>& progress) {
    const FramePlan plan = Plan(frame);
    switch (plan.kind) {
        case FramePlan::Kind::kKey:
            if (const RgbImage* picture = KeyPicture(plan.key, progress)) return *picture;
            return std::nullopt;
        case FramePlan::Kind::kMove:
        case FramePlan::Kind::kLoop:
            return DrawRecord(*FrameRecord(frame), FrameGrading(frame), progress);
        case FramePlan::Kind::kCrossfade:
            return DrawCrossfade(plan, progress);
    }
    return std::nullopt;
}

Recipe FlightFrames::KeyRecipe(std::size_t key) const {
    Recipe recipe = flight_.keys[key].recipe;
    recipe.scale = flight_.scale;
    recipe.supersample = flight_.supersample;
    return recipe;
}

const ImageState& FlightFrames::RecordBeforeKey(std::size_t key) {
    if (!records_[key]) records_[key] = RecordOfNamedPicture(KeyRecipe(key), options_);
    return *records_[key];
}

const RgbImage* FlightFrames::KeyPicture(std::size_t key,
                                         const std::function<bool(double)>& progress,
                                         std::optional<std::size_t> keep) {
    for (const HeldPicture& held : pictures_) {
        if (held.key == key) return &held.picture;
    }
    ExportOptions options = options_;
    options.progress = progress;
    std::optional<RgbImage> picture = RenderExport(KeyRecipe(key), options);
    if (!picture) return nullptr;
    // Frames go forward, so the key left behind is the one to let go, unless
    // the frame being drawn needs it.
    HeldPicture* slot = nullptr;
    for (HeldPicture& held : pictures_) {
        if (keep && held.key == keep) continue;
        if (!slot || (slot->key && (!held.key || *held.key < *slot->key))) slot = &held;
    }
    slot->key = key;
    slot->picture = std::move(*picture);
    return &slot->picture;
}

std::optional<RgbImage> FlightFrames::DrawRecord(ImageState state, const Grading& grading,
                                                 const std::function<bool(double)>& progress) {
    ExportOptions options = options_;
    options.progress = progress;
    return RenderView(state, flight_.scale, flight_.supersample, options, grading);
}

std::optional<ImageState> FlightFrames::FrameRecord(std::int64_t frame) {
    const FramePlan plan = Plan(frame);
    if (plan.kind == FramePlan::Kind::kMove) {
        const ImageState& from = key_views_[plan.key];
        const ImageState& to = key_views_[plan.key + 1];
        ImageState state = RecordBeforeKey(plan.key);
        SetView(ViewBetween(ViewOf(from), ViewOf(to), plan.progress), state);
        MoveContinuousFields(from, to, plan.progress, state);
        return state;
    }
    if (plan.kind == FramePlan::Kind::kLoop) {
        ImageState state = RecordBeforeKey(plan.key);
        MoveAlongLoop(key_views_[plan.key], plan.progress, state);
        return state;
    }
    return std::nullopt;
}

Grading FlightFrames::FrameGrading(std::int64_t frame) const {
    const FramePlan plan = Plan(frame);
    const Grading& from = flight_.keys[plan.key].recipe.grading;
    if (plan.kind != FramePlan::Kind::kMove) return from;
    return GradingBetween(from, flight_.keys[plan.key + 1].recipe.grading, plan.progress);
}

std::optional<RgbImage> FlightFrames::DrawCrossfade(const FramePlan& plan,
                                                    const std::function<bool(double)>& progress) {
    const RgbImage* from = KeyPicture(plan.key, PartOf(progress, 0, 0.5));
    if (!from) return std::nullopt;
    const RgbImage* to = KeyPicture(plan.key + 1, PartOf(progress, 0.5, 1), plan.key);
    if (!to) return std::nullopt;
    return MixInLinearLight(*from, *to, plan.progress);
}

RgbImage MixInLinearLight(const RgbImage& from, const RgbImage& to, double weight) {
    // The mix of two channel values depends on nothing else, so each of the
    // 65536 pairs is worked out once a frame: the same bytes as working out
    // every pixel, at the cost of a lookup.
    std::vector<std::uint8_t> table(256 * 256);
    for (int a = 0; a < 256; ++a) {
        const double light_a = LinearFromSrgb(static_cast<std::uint8_t>(a));
        for (int b = 0; b < 256; ++b) {
            const double light_b = LinearFromSrgb(static_cast<std::uint8_t>(b));
            table[static_cast<std::size_t>(a) * 256 + static_cast<std::size_t>(b)] =
                SrgbFromLinear((1 - weight) * light_a + weight * light_b);
        }
    }
    RgbImage mix(from.width, from.height);
    for (std::size_t k = 0; k < mix.pixels.size(); ++k) {
        mix.pixels[k] = table[static_cast<std::size_t>(from.pixels[k]) * 256 + to.pixels[k]];
    }
    return mix;
}

}  // namespace seedscape
