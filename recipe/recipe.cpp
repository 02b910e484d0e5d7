#include "recipe/recipe.h"

#include <algorithm>
#include <cmath>

#include "recipe/export_limits.h"
#include "recipe/grading_fields.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "recipe/text_tokens.h"
#include "recipe/value_readers.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

namespace {

constexpr std::string_view kFormatPrefix = "seedscape/";

// A token as a message repeats it: escaped, and cut short when it is long.
std::string Shown(std::string_view token) {
    constexpr std::size_t kLongest = 60;
    if (token.size() <= kLongest) return EscapeForMessage(token);
    return EscapeForMessage(token.substr(0, kLongest)) + "...";
}

std::string_view Trimmed(std::string_view text) {
    const auto is_space = [](char c) { return IsBlank(c) || c == '\n' || c == '\r'; };
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    return text;
}

std::string KeyNames() {
    std::string names = "seed";
    for (const SettableField& field : SettableFields()) names += ", " + std::string(field.name);
    names += ", " + GradingFieldNames();
    return names + ", press, scale, supersample";
}

// Where a token may stand: the parameters, then the presses, then the export
// settings.
enum class Section { kParameters, kPresses, kExport };

class Reader {
  public:
    RecipeReading Read(std::string_view text);

  private:
    RecipeReading Fail(std::string message) { return {std::nullopt, std::move(message)}; }
    // Takes one key=value token after the seed; "" or why it is refused.
    std::string Take(std::string_view token);
    std::string TakeExportSetting(std::string_view key, std::string_view value);
    std::string TakeGrading(const GradingField& field, std::string_view value);

    Recipe recipe_;
    Section section_ = Section::kParameters;
    bool scale_given_ = false;
    bool supersample_given_ = false;
    std::array<bool, kGradingFieldCount> grading_given_{};  // indexed like GradingFields()
};

RecipeReading Reader::Read(std::string_view text) {
    if (text.size() > Recipe::kLongestText) {
        return Fail("the text is longer than any recipe (" +
                    std::to_string(Recipe::kLongestText / 1024) + " KiB)");
    }
    text = Trimmed(text);
    if (text.empty()) return Fail("the text is empty; a recipe starts with seedscape/1");
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        return Fail("a recipe is a single line; this text has several");
    }
    const std::vector<std::string_view> tokens = SplitTokens(text);

    const std::string_view format = tokens[0];
    if (!format.starts_with(kFormatPrefix)) {
        return Fail(Shown(format) + ": not a seedscape recipe, which starts with seedscape/1");
    }
    const std::optional<long long> version = ParseWholeNumber(format.substr(kFormatPrefix.size()));
    if (!version || *version < 1) {
        return Fail(Shown(format) + ": not a seedscape recipe format; this one reads format 1");
    }
    if (*version > Recipe::kFormat) {
        return Fail("made by a newer seedscape (format " + std::to_string(*version) +
                    "); this one reads format 1");
    }

    if (tokens.size() < 2 || !tokens[1].starts_with("seed=")) {
        return Fail("seedscape/1 must be followed by seed=N, the seed from " + FromTo(kSeedRange));
    }
    const Reading<int> seed = ReadSeed(tokens[1].substr(5));
    if (!seed.value) return Fail(Shown(tokens[1]) + ": the seed " + seed.reason);
    recipe_.seed = *seed.value;

    for (std::size_t k = 2; k < tokens.size(); ++k) {
        if (std::string problem = Take(tokens[k]); !problem.empty()) {
            return Fail(Shown(tokens[k]) + ": " + problem);
        }
    }
    return {std::move(recipe_), {}};
}

std::string Reader::Take(std::string_view token) {
    const std::size_t equals = token.find('=');
    if (equals == std::string_view::npos) return "expected key=value; the keys are " + KeyNames();
    const std::string_view key = token.substr(0, equals);
    const std::string_view value = token.substr(equals + 1);

    if (key == "seed") return "the seed is given twice";
    if (key == "press") {
        if (section_ == Section::kExport) return "presses come before scale and supersample";
        section_ = Section::kPresses;
        if (recipe_.presses.size() >= static_cast<std::size_t>(Recipe::kMostPresses)) {
            return "more than " + std::to_string(Recipe::kMostPresses) + " presses";
        }
        const Reading<RecipePress> press = ReadPress(value);
        if (!press.value) return press.reason;
        recipe_.presses.push_back(*press.value);
        return {};
    }
    if (key == "scale" || key == "supersample") return TakeExportSetting(key, value);
    if (const GradingField* grading = FindGradingField(key)) return TakeGrading(*grading, value);

    const std::span<const SettableField> fields = SettableFields();
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const SettableField& f) { return f.name == key; });
    if (field == fields.end()) return "unknown key; the keys are " + KeyNames();
    if (section_ != Section::kParameters) return "parameters come before the presses";
    std::optional<double>& slot = recipe_.overrides[field - fields.begin()];
    if (slot) return std::string(key) + " is given twice";
    const Reading<double> number = ReadFieldValue(*field, value);
    if (!number.value) return number.reason;
    slot = *number.value;
    return {};
}

std::string Reader::TakeGrading(const GradingField& field, std::string_view value) {
    if (section_ != Section::kParameters) return "parameters come before the presses";
    bool& given = grading_given_[&field - GradingFields().data()];
    if (given) return std::string(field.name) + " is given twice";
    given = true;
    const Reading<double> number = ReadGradingValue(field, value);
    if (!number.value) return number.reason;
    recipe_.grading.*field.member = *number.value;
    return {};
}

std::string Reader::TakeExportSetting(std::string_view key, std::string_view value) {
    section_ = Section::kExport;
    const bool scale = key == "scale";
    bool& given = scale ? scale_given_ : supersample_given_;
    if (given) return std::string(key) + " is given twice";
    given = true;
    const Reading<int> number = ReadWholeNumber(value, scale ? kScaleRange : kSupersampleRange);
    if (!number.value) return number.reason;
    (scale ? recipe_.scale : recipe_.supersample) = *number.value;
    return ExportSizeProblem(recipe_.scale, recipe_.supersample);
}

}  // namespace

RecipeReading ParseRecipe(std::string_view text) {
    return Reader().Read(text);
}

std::string PrintRecipe(const Recipe& recipe) {
    std::string text =
        "seedscape/" + std::to_string(Recipe::kFormat) + " seed=" + std::to_string(recipe.seed);
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (!recipe.overrides[k]) continue;
        text += ' ';
        text += fields[k].name;
        text += '=';
        text += FormatFieldValue(fields[k], *recipe.overrides[k]);
    }
    text += FormatGrading(recipe.grading);
    for (const RecipePress& press : recipe.presses) {
        text += " press=" + FormatRoundTripSingle(press.x) + ',' + FormatRoundTripSingle(press.y) +
                '@' + std::to_string(press.f);
    }
    if (recipe.scale != 1) text += " scale=" + std::to_string(recipe.scale);
    if (recipe.supersample != 1) text += " supersample=" + std::to_string(recipe.supersample);
    return text;
}

std::string CheckRecipe(const Recipe& recipe) {
    // Printing and reading again applies every rule of the reader.
    const RecipeReading reading = ParseRecipe(PrintRecipe(recipe));
    if (!reading.recipe) return reading.error;
    if (!(*reading.recipe == recipe)) return "a value is not as its field would store it";
    return {};
}

void ApplyHandSetFields(const Recipe& recipe, ImageState& state) {
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (recipe.overrides[k]) fields[k].store(state, *recipe.overrides[k]);
    }
}

ImageState RecipeMotherRecord(const Recipe& recipe) {
    ImageState state = ImageMotherRecord(recipe.seed);
    ApplyHandSetFields(recipe, state);
    return state;
}

Recipe OnScreen(Recipe recipe) {
    recipe.scale = 1;
    recipe.supersample = 1;
    return recipe;
}

}  // namespace seedscape
