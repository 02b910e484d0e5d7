// Recipes: every printed recipe reads back to itself and draws the same
// picture as the window's own sequence of renders; every malformed text is
// refused with a reason that names the token.
#include "recipe/recipe.h"

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "recipe/draw_recipe.h"
#include "recipe/export_limits.h"
#include "recipe/grading_fields.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/settable_fields.h"
#include "recipe/value_readers.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"
#include "render/render_image.h"
#include "state/image_mother_parameters.h"
#include "state/random_generator.h"
#include "tests/support/value_refusals.h"

namespace seedscape {
namespace {

// Recipes of every shape, drawn from a generator of the test's own: random
// seeds, a random subset of parameters at random values in their ranges, and
// chains of up to a dozen presses, some at fractional points.
Recipe RandomRecipe(RandomGenerator& random) {
    const auto draw = [&](double lowest, double highest) {
        return lowest + (highest - lowest) * static_cast<double>(random.Draw());
    };
    Recipe recipe;
    recipe.seed = static_cast<int>(draw(1, 1000001));
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (random.Draw() < 0.7f) continue;
        const SettableField& field = fields[k];
        double value = field.whole ? std::floor(draw(field.lowest, field.highest + 1))
                                   : draw(field.lowest, field.highest);
        if (!field.whole && random.Draw() < 0.3f) value = value / 3.0;  // many digits
        recipe.overrides[k] = field.as_stored(value);
    }
    for (const GradingField& field : GradingFields()) {
        if (random.Draw() < 0.7f) continue;
        double value = draw(field.range.lowest, field.range.highest);
        if (random.Draw() < 0.1f) value = field.range.highest;  // both ends are included
        recipe.grading.*field.member = value;
    }
    const int presses = static_cast<int>(draw(0, 13));
    for (int k = 0; k < presses; ++k) {
        const bool fractional = random.Draw() < 0.3f;
        const float x = fractional ? static_cast<float>(draw(0, 290)) : std::floor(draw(0, 291));
        const float y = fractional ? static_cast<float>(draw(0, 210)) : std::floor(draw(0, 211));
        recipe.presses.push_back({x, y, static_cast<int>(draw(1, 101))});
    }
    if (random.Draw() < 0.2f) recipe.scale = static_cast<int>(draw(1, 9));
    if (random.Draw() < 0.2f) recipe.supersample = static_cast<int>(draw(1, 9));
    return recipe;
}

TEST(RecipeText, EveryPrintedRecipeReadsBackToItself) {
    RandomGenerator random;
    random.Seed(2026);
    for (int k = 0; k < 2000; ++k) {
        const Recipe recipe = RandomRecipe(random);
        const std::string text = PrintRecipe(recipe);
        SCOPED_TRACE(text);
        const RecipeReading reading = ParseRecipe(text);
        ASSERT_TRUE(reading.recipe.has_value()) << reading.error;
        EXPECT_TRUE(*reading.recipe == recipe);
        EXPECT_EQ(PrintRecipe(*reading.recipe), text);
        EXPECT_EQ(CheckRecipe(recipe), "");
    }
}

TEST(RecipeText, ReadsTheExampleAndPrintsItCanonically) {
    const RecipeReading reading = ParseRecipe(
        "  seedscape/1\tseed=449139 dn2=3 barva=7 xt1=0.25 press=150,100@5 press=60.5,150@7 "
        "supersample=2 scale=4\r\n");
    ASSERT_TRUE(reading.recipe.has_value()) << reading.error;
    const Recipe& recipe = *reading.recipe;
    EXPECT_EQ(recipe.seed, 449139);
    EXPECT_EQ(recipe.presses, (std::vector<RecipePress>{{150, 100, 5}, {60.5f, 150, 7}}));
    EXPECT_EQ(recipe.scale, 4);
    EXPECT_EQ(recipe.supersample, 2);
    // Parameters print in one fixed order, whatever order they were given in.
    EXPECT_EQ(PrintRecipe(recipe),
              "seedscape/1 seed=449139 barva=7 dn2=3 xt1=0.25 press=150,100@5 press=60.5,150@7 "
              "scale=4 supersample=2");
    EXPECT_EQ(PrintRecipe(OnScreen(recipe)),
              "seedscape/1 seed=449139 barva=7 dn2=3 xt1=0.25 press=150,100@5 press=60.5,150@7");
}

// The grading prints after the parameters set by hand, in its own order,
// only where it is not neutral, each value exact in double precision.
TEST(RecipeText, GradingPrintsInItsPlaceAndOnlyWhereItIsNotNeutral) {
    const std::pair<std::string, std::string> rows[] = {
        {"seedscape/1 seed=5 gamma=2.2 hue=30 barva=7 press=1,2@5",
         "seedscape/1 seed=5 barva=7 hue=30 gamma=2.2 press=1,2@5"},
        {"seedscape/1 seed=5 hue=0 saturation=1 exposure=0 gamma=1", "seedscape/1 seed=5"},
        {"seedscape/1 seed=5 hue=-0 exposure=-0.0", "seedscape/1 seed=5"},
        {"seedscape/1 seed=5 exposure=.5 hue=1e1", "seedscape/1 seed=5 hue=10 exposure=0.5"},
        {"seedscape/1 seed=5 hue=-180 saturation=0 exposure=-3 gamma=0.25 scale=2",
         "seedscape/1 seed=5 hue=-180 saturation=0 exposure=-3 gamma=0.25 scale=2"},
        {"seedscape/1 seed=5 gamma=4 exposure=3 saturation=2 hue=180",
         "seedscape/1 seed=5 hue=180 saturation=2 exposure=3 gamma=4"},
        {"seedscape/1 seed=5 saturation=0.33333333333333331 cr=0.1",
         "seedscape/1 seed=5 cr=0.1 saturation=0.3333333333333333"},
    };
    for (const auto& [given, printed] : rows) {
        const RecipeReading reading = ParseRecipe(given);
        ASSERT_TRUE(reading.recipe.has_value()) << given << ": " << reading.error;
        EXPECT_EQ(PrintRecipe(*reading.recipe), printed) << given;
        EXPECT_TRUE(ParseRecipe(printed).recipe == reading.recipe) << printed;
    }
    EXPECT_EQ(ParseRecipe(rows[0].first).recipe->grading, (Grading{30, 1, 0, 2.2}));

    // A grading made in code is checked against the same ranges.
    Recipe recipe;
    recipe.grading.gamma = 9;
    EXPECT_EQ(CheckRecipe(recipe), "gamma=9: must be a number from 0.25 to 4");
}

TEST(RecipeText, SinglePrecisionValuesPrintShortAndReadBackExactly) {
    Recipe recipe;
    recipe.seed = 7;
    recipe.overrides[6] = static_cast<float>(0.1);  // xt1 as the record stores it
    recipe.overrides[12] = 1.0 / 3.0;               // cr is a double
    recipe.presses.push_back({static_cast<float>(0.1), 210, 1});
    EXPECT_EQ(PrintRecipe(recipe),
              "seedscape/1 seed=7 xt1=0.1 cr=0.3333333333333333 press=0.1,210@1");
}

struct Refusal {
    const char* name;
    std::string text;
    std::string reason;  // a part of the message
};

class RecipeRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(RecipeRefusals, SayWhy) {
    const RecipeReading reading = ParseRecipe(GetParam().text);
    EXPECT_FALSE(reading.recipe.has_value());
    EXPECT_NE(reading.error.find(GetParam().reason), std::string::npos) << reading.error;
    EXPECT_EQ(reading.error.find('\n'), std::string::npos) << "one line: " << reading.error;
}

const std::string k = "seedscape/1 seed=5 ";

INSTANTIATE_TEST_SUITE_P(
    Recipe, RecipeRefusals,
    ::testing::Values(
        Refusal{"a newer format", "seedscape/2 seed=5",
                "made by a newer seedscape (format 2); this one reads format 1"},
        Refusal{"an unknown format", "seedscape/x seed=5", "seedscape/x: not a seedscape recipe"},
        Refusal{"another text", "hello world", "hello: not a seedscape recipe"},
        Refusal{"empty text", " \n", "the text is empty"},
        Refusal{"no seed", "seedscape/1", "must be followed by seed=N"},
        Refusal{"seed not second", "seedscape/1 barva=2 seed=5", "must be followed by seed=N"},
        Refusal{"seed twice", k + "seed=6", "seed=6: the seed is given twice"},
        Refusal{"unknown key", k + "colour=3", "colour=3: unknown key; the keys are seed, barva"},
        Refusal{"no equals sign", k + "barva", "barva: expected key=value"},
        Refusal{"parameter twice", k + "barva=7 barva=8", "barva=8: barva is given twice"},
        Refusal{"parameter after a press", k + "press=1,2@5 barva=3",
                "barva=3: parameters come before the presses"},
        Refusal{"grading value twice", k + "hue=1 hue=2", "hue=2: hue is given twice"},
        Refusal{"grading after a press", k + "press=1,2@5 gamma=2",
                "gamma=2: parameters come before the presses"},
        Refusal{"press without magnification", k + "press=150,100",
                "press=150,100: a press is written X,Y@F"},
        Refusal{"press with letters", k + "press=a,b@5", "press=a,b@5: X and Y must be numbers"},
        Refusal{"too many samples a side", k + "scale=32 supersample=4",
                "supersample=4: scale times supersample must be at most 64"},
        Refusal{"scale twice", k + "scale=2 scale=3", "scale=3: scale is given twice"},
        Refusal{"press after the export settings", k + "scale=2 press=1,1@5",
                "presses come before scale and supersample"},
        Refusal{"two lines", k + "\nbarva=3", "a recipe is a single line"},
        Refusal{"a very long token", k + "barva=" + std::string(5000, '7'), "barva=777777"},
        Refusal{"too long a text", k + std::string(70000, ' '), "longer than any recipe"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.name)) name += std::isalnum(c) ? c : '_';
        return name;
    });

// The values that seedscape-render's options refuse too, each in its token.
struct TokenAndReason {
    std::string token;
    std::string reason;  // as the message words it after the token
};

TokenAndReason TokenOf(const testing::ValueRefusal& row) {
    switch (row.kind) {
        case testing::ValueKind::kSeed:
            return {"seed=" + row.value, "the seed " + row.reason};
        case testing::ValueKind::kSetting:
            return {row.value, row.reason};
        case testing::ValueKind::kPoint:
            return {"press=" + row.value + "@5", row.reason};
        case testing::ValueKind::kMagnification:
            return {"press=1,1@" + row.value, "the magnification after @ " + row.reason};
        case testing::ValueKind::kScale:
            return {"scale=" + row.value, row.reason};
        case testing::ValueKind::kSupersample:
            break;
    }
    return {"supersample=" + row.value, row.reason};
}

class RecipeValueRefusals : public ::testing::TestWithParam<testing::ValueRefusal> {};

TEST_P(RecipeValueRefusals, NameTheTokenAndTheReason) {
    const TokenAndReason row = TokenOf(GetParam());
    const std::string text = GetParam().kind == testing::ValueKind::kSeed
                                 ? "seedscape/1 " + row.token
                                 : "seedscape/1 seed=5 " + row.token;
    const RecipeReading reading = ParseRecipe(text);
    EXPECT_FALSE(reading.recipe.has_value());
    EXPECT_EQ(reading.error, EscapeForMessage(row.token) + ": " + row.reason);
}

INSTANTIATE_TEST_SUITE_P(Rows, RecipeValueRefusals, ::testing::ValuesIn(testing::ValueRefusals()),
                         [](const auto& info) { return info.param.name; });

// Whatever a seed draws, a recipe can set by hand: each drawn value, printed
// as its field prints it, reads back through the field's reader unchanged.
TEST(RecipeValues, EveryDrawnParameterReadsBackThroughItsField) {
    RandomGenerator random;
    random.Seed(31);
    ImageState state;
    for (int k = 0; k < 3000; ++k) {
        DrawSeed(state, random);
        const std::string seed = FormatRoundTrip(state.seed);
        ASSERT_EQ(ReadSeed(seed).value, static_cast<int>(state.seed)) << seed;
        const ImageState drawn = ImageMotherRecord(state.seed);
        for (const SettableField& field : SettableFields()) {
            const double value = field.load(drawn);
            const std::string text = FormatFieldValue(field, value);
            const Reading<double> reading = ReadFieldValue(field, text);
            ASSERT_TRUE(reading.value.has_value())
                << "seed " << seed << ": " << field.name << "=" << text << ": " << reading.reason;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*reading.value),
                      std::bit_cast<std::uint64_t>(value))
                << field.name << "=" << text;
        }
    }
}

// The window's export dialog bounds each setting by the other; the bounds
// must allow exactly the sizes the recipe reader takes.
TEST(ExportLimits, TheLargestSettingsAgreeWithTheCheck) {
    for (int scale = kScaleRange.lowest; scale <= kScaleRange.highest; ++scale) {
        for (int supersample = kSupersampleRange.lowest; supersample <= kSupersampleRange.highest;
             ++supersample) {
            const bool allowed = ExportSizeProblem(scale, supersample).empty();
            EXPECT_EQ(scale <= LargestScaleWith(supersample), allowed)
                << scale << "x" << supersample;
            EXPECT_EQ(supersample <= LargestSupersampleWith(scale), allowed)
                << scale << "x" << supersample;
            Recipe recipe;
            recipe.scale = scale;
            recipe.supersample = supersample;
            EXPECT_EQ(CheckRecipe(recipe).empty(), allowed) << scale << "x" << supersample;
        }
    }
}

TEST(RecipeText, RefusesTheThousandAndFirstPress) {
    std::string text = "seedscape/1 seed=5";
    for (int k = 0; k < Recipe::kMostPresses; ++k) text += " press=1,1@2";
    EXPECT_TRUE(ParseRecipe(text).recipe.has_value());
    const RecipeReading reading = ParseRecipe(text + " press=1,1@2");
    EXPECT_NE(reading.error.find("more than 1000 presses"), std::string::npos) << reading.error;
}

// What the window does, written out with the straightforward pass: the mother
// at the origin of a whole canvas, then each child into the next place, every
// picture graded on its way onto the canvas.
PixelImage WindowPicture(const Recipe& recipe) {
    ImageState state = ImageMotherRecord(recipe.seed);
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (recipe.overrides[k]) fields[k].store(state, *recipe.overrides[k]);
    }
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    GradedSurface graded(canvas, recipe.grading);
    RenderImage(state, graded);
    for (const RecipePress& press : recipe.presses) {
        state.f = press.f;
        RenderImageChild(state, graded, press.x, press.y, RenderImage);
    }
    return canvas.Crop(static_cast<int>(state.zamikx), static_cast<int>(state.zamiky), kImageWidth,
                       kImageHeight);
}

TEST(RecipePicture, IsTheLastPictureTheWindowDraws) {
    RandomGenerator random;
    random.Seed(99);
    for (int k = 0; k < 12; ++k) {
        Recipe recipe = RandomRecipe(random);
        recipe.presses.resize(std::min<std::size_t>(recipe.presses.size(), 10));
        const std::string text = PrintRecipe(recipe);
        SCOPED_TRACE(text);
        const RecipeReading reading = ParseRecipe(text);
        ASSERT_TRUE(reading.recipe.has_value());
        EXPECT_TRUE(RenderRecipePicture(*reading.recipe, RenderImageFast) == WindowPicture(recipe));
    }
}

}  // namespace
}  // namespace seedscape
