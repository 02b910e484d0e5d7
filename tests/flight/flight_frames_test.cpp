// A flight's frames: a key's frame is its picture as the recipe draws it; a
// frame's pixels do not depend on the frames drawn before it; the frames
// between keys move the view about the point both keys show in one place,
// and a loop closes on its first frame.
#include "flight/flight_frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "colour/linear_light.h"
#include "export/export_picture.h"
#include "tests/support/read_recipe.h"

namespace seedscape {
namespace {

using testing::ReadRecipe;

FlightKey Key(double seconds, const std::string& recipe, Easing ease = Easing::kLinear) {
    return {static_cast<std::int64_t>(std::llround(seconds * kMicrosecondsPerSecond)), ease,
            ReadRecipe(recipe)};
}

// A zoom from a mother into a child and out to another child of the same
// seed, then a crossfade to another seed: every kind of frame in 13 frames.
Flight Tour(int scale = 1, int supersample = 1) {
    Flight flight;
    flight.fps = 4;
    flight.scale = scale;
    flight.supersample = supersample;
    flight.keys = {
        Key(0, "seedscape/1 seed=449139"),
        Key(1, "seedscape/1 seed=449139 press=150,100@20", Easing::kSmooth),
        Key(2, "seedscape/1 seed=449139 xt1=0.5 press=150,100@20 press=60,150@3"),
        Key(3, "seedscape/1 seed=31337 barva=13 press=145,105@2"),
    };
    return flight;
}

RgbImage Frame(FlightFrames& frames, std::int64_t frame) {
    std::optional<RgbImage> image = frames.Draw(frame);
    EXPECT_TRUE(image.has_value());
    return image.value_or(RgbImage{});
}

TEST(FlightFrames, KeysAreTheirRecipesPicturesAtTheFlightsSize) {
    for (const auto& [scale, supersample] : {std::pair{1, 1}, std::pair{3, 1}}) {
        const Flight flight = Tour(scale, supersample);
        FlightFrames frames(flight);
        for (const FlightKey& key : flight.keys) {
            Recipe recipe = key.recipe;
            recipe.scale = scale;
            recipe.supersample = supersample;
            const std::int64_t frame = KeyFrame(flight, key);
            EXPECT_EQ(frames.Plan(frame).kind, FramePlan::Kind::kKey);
            EXPECT_TRUE(Frame(frames, frame) == RenderExport(recipe, {}).value())
                << PrintRecipe(recipe);
        }
    }
}

TEST(FlightFrames, AFrameDrawnAloneIsTheFrameDrawnInSequence) {
    const Flight flight = Tour();
    FlightFrames in_order(flight);
    std::vector<RgbImage> sequence;
    for (std::int64_t frame = 0; frame < in_order.count(); ++frame) {
        sequence.push_back(Frame(in_order, frame));
    }
    ASSERT_EQ(sequence.size(), 13u);
    // Backwards, each by a fresh drawer, so that nothing is carried over.
    for (std::int64_t frame = in_order.count() - 1; frame >= 0; --frame) {
        FlightFrames alone(flight);
        EXPECT_TRUE(Frame(alone, frame) == sequence[static_cast<std::size_t>(frame)])
            << "frame " << frame;
    }
    // Each kind of frame is there, and they differ from their neighbours.
    FlightFrames plans(flight);
    EXPECT_EQ(plans.Plan(2).kind, FramePlan::Kind::kMove);
    EXPECT_EQ(plans.Plan(6).kind, FramePlan::Kind::kMove);
    EXPECT_EQ(plans.Plan(10).kind, FramePlan::Kind::kCrossfade);
    EXPECT_FALSE(sequence[2] == sequence[1] || sequence[2] == sequence[3]);
    EXPECT_FALSE(sequence[10] == sequence[9] || sequence[10] == sequence[11]);
}

// Two keys of the same picture: every frame between them is that picture, so
// the moving frames render exactly as the key does, from the same record.
TEST(FlightFrames, FramesBetweenTwoKeysOfOnePictureAreThatPicture) {
    for (const char* recipe : {"seedscape/1 seed=449139", "seedscape/1 seed=888888 barva=21"}) {
        Flight flight;
        flight.fps = 3;
        flight.scale = 2;
        flight.supersample = 2;
        flight.keys = {Key(0, recipe), Key(1, recipe, Easing::kSmooth)};
        FlightFrames frames(flight);
        const RgbImage key = Frame(frames, 0);
        for (std::int64_t frame = 1; frame < 3; ++frame) {
            ASSERT_EQ(frames.Plan(frame).kind, FramePlan::Kind::kMove);
            EXPECT_TRUE(Frame(frames, frame) == key) << recipe << " frame " << frame;
        }
    }
}

// The grading moves in a straight line from key to key, as the points do.
TEST(FlightFrames, TheGradingMovesBetweenKeys) {
    Flight flight;
    flight.fps = 2;
    flight.keys = {Key(0, "seedscape/1 seed=31337 press=145,105@2"),
                   Key(1, "seedscape/1 seed=31337 hue=60 saturation=0.5 press=145,105@2")};
    FlightFrames frames(flight);
    ASSERT_EQ(frames.Plan(1).kind, FramePlan::Kind::kMove);
    const Recipe half_way =
        ReadRecipe("seedscape/1 seed=31337 hue=30 saturation=0.75 press=145,105@2");
    EXPECT_TRUE(Frame(frames, 1) == RenderExport(half_way, {}).value());
}

TEST(FlightFrames, ALoopClosesOnItsFirstFrame) {
    Flight flight;
    flight.fps = 6;
    flight.loop_us = kMicrosecondsPerSecond;
    flight.keys = {Key(0, "seedscape/1 seed=12345 barva=14 press=200,50@5")};
    FlightFrames frames(flight);
    ASSERT_EQ(frames.count(), 6);
    const RgbImage first = Frame(frames, 0);
    Recipe recipe = flight.keys[0].recipe;
    EXPECT_TRUE(first == RenderExport(recipe, {}).value());
    EXPECT_TRUE(Frame(frames, 6) == first);
    EXPECT_FALSE(Frame(frames, 3) == first);
    // Half way round, each point is a diameter from its start.
    const ImageState start = RecipeMotherRecord(recipe);
    ImageState moved = start;
    MoveAlongLoop(start, 0.5, moved);
    EXPECT_NEAR(std::hypot(moved.xt1 - start.xt1, moved.yt1 - start.yt1), 2 * kLoopRadius, 1e-6);
    EXPECT_NEAR(std::hypot(moved.xt3 - start.xt3, moved.yt3 - start.yt3), 2 * kLoopRadius, 1e-6);
}

TEST(ViewBetween, KeepsThePointBothViewsShowInOnePlace) {
    const PlaneView mother{72, 52, -2, 2};
    // The child of a press at (150, 100) at f = 20.
    const PlaneView child{72 * 20, 52 * 20, (20 * (150.0 - 145)) / (72 * 20) - 2.0 / 20,
                          2.0 / 20 - (20 * (100.0 - 105)) / (52 * 20)};
    const double column = (child.left - mother.left) / (1 / mother.x_scale - 1 / child.x_scale);
    const double row = (mother.top - child.top) / (1 / mother.y_scale - 1 / child.y_scale);
    for (const double t : {0.0, 0.25, 0.5, 0.9, 1.0}) {
        const PlaneView view = ViewBetween(mother, child, t);
        EXPECT_NEAR(view.left + column / view.x_scale, mother.left + column / mother.x_scale,
                    1e-12);
        EXPECT_NEAR(view.top - row / view.y_scale, mother.top - row / mother.y_scale, 1e-12);
        EXPECT_NEAR(std::log(view.x_scale / 72), t * std::log(20.0), 1e-12);
    }
    const PlaneView end = ViewBetween(mother, child, 1);
    EXPECT_NEAR(end.left, child.left, 1e-12);
    EXPECT_NEAR(end.top, child.top, 1e-12);
    // At one magnification the view pans evenly.
    const PlaneView panned{72, 52, -1, 1};
    const PlaneView half = ViewBetween(mother, panned, 0.5);
    EXPECT_EQ(half.x_scale, 72);
    EXPECT_EQ(half.left, -1.5);
    EXPECT_EQ(half.top, 1.5);
}

TEST(MixInLinearLight, IsEveryPixelMixedOnItsOwn) {
    std::mt19937 random(7);
    RgbImage from(17, 5);
    RgbImage to(17, 5);
    for (auto& byte : from.pixels) byte = static_cast<std::uint8_t>(random());
    for (auto& byte : to.pixels) byte = static_cast<std::uint8_t>(random());
    for (const double weight : {0.0, 0.3, 0.5, 1.0}) {
        const RgbImage mix = MixInLinearLight(from, to, weight);
        for (std::size_t k = 0; k < mix.pixels.size(); ++k) {
            const double light = (1 - weight) * LinearFromSrgb(from.pixels[k]) +
                                 weight * LinearFromSrgb(to.pixels[k]);
            ASSERT_EQ(mix.pixels[k], SrgbFromLinear(light)) << weight << " " << k;
        }
    }
    EXPECT_TRUE(MixInLinearLight(from, to, 0) == from);
    EXPECT_TRUE(MixInLinearLight(from, to, 1) == to);
}

}  // namespace
}  // namespace seedscape
