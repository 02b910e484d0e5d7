#include "flight/flight_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "flight/flight_rules.h"
#include "recipe/export_limits.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/range_text.h"
#include "recipe/text_tokens.h"
#include "recipe/value_readers.h"

namespace seedscape {

namespace {

// Times are read and printed by the recipe layer's seconds, to the microsecond.
static_assert(kMostTimeDecimals == kSecondsDecimals);
static_assert(kMicrosecondsPerSecond == 1000000 && kSecondsDecimals == 6);

constexpr std::string_view kFormatPrefix = "seedscape-flight/";
constexpr std::string_view kAtPrefix = "at=";
constexpr std::string_view kEasePrefix = "ease=";

std::string FormatWord() {
    return std::string(kFormatPrefix) + std::to_string(Flight::kFormat);
}

// A token as a message repeats it: escaped, and cut short when it is long.
std::string Shown(std::string_view token) {
    constexpr std::size_t kLongest = 60;
    if (token.size() <= kLongest) return EscapeForMessage(token);
    return EscapeForMessage(token.substr(0, kLongest)) + "...";
}

std::string SettingNames() {
    std::string names;
    for (const FlightSetting setting : kFlightSettings) {
        names += (names.empty() ? "" : ", ") + std::string(FlightSettingName(setting));
    }
    return names;
}

// "fps=30", "loop=4.5": a setting as it is printed.
std::string SettingToken(const Flight& flight, FlightSetting setting) {
    const std::string name = std::string(FlightSettingName(setting)) + '=';
    switch (setting) {
        case FlightSetting::kFps:
            return name + std::to_string(flight.fps);
        case FlightSetting::kScale:
            return name + std::to_string(flight.scale);
        case FlightSetting::kSupersample:
            return name + std::to_string(flight.supersample);
        case FlightSetting::kLoop:
            return name + (flight.loop_us ? FormatSeconds(*flight.loop_us) : "");
    }
    return name;
}

std::string_view EaseWord(Easing ease) {
    return ease == Easing::kSmooth ? "smooth" : "linear";
}

std::string TextLengthReason() {
    return "the text is longer than any flight (" + std::to_string(kLongestFlightText / 1024) +
           " KiB)";
}

std::string LinePrefix(int line) {
    return "line " + std::to_string(line) + ": ";
}

// Where a key was written, for the messages about it.
struct WrittenKey {
    int line = 0;
    std::string_view at;
    std::string_view ease;
};

class Reader {
  public:
    FlightReading Read(std::string_view text);

  private:
    // Each gives "" or why the line is refused, naming the token.
    std::string ReadFirstLine(const std::vector<std::string_view>& tokens);
    std::string ReadSetting(std::string_view token);
    std::string ReadKey(std::string_view line, const std::vector<std::string_view>& tokens,
                        int line_number);
    // A rule's reason, with the line and the token it is about.
    std::string Placed(const FlightProblem& problem) const;

    Flight flight_;
    int first_line_ = 0;
    std::array<std::string_view, std::size(kFlightSettings)> settings_written_{};
    int last_setting_ = -1;
    std::vector<WrittenKey> keys_written_;
};

FlightReading Reader::Read(std::string_view text) {
    if (text.size() > kLongestFlightText) return {std::nullopt, TextLengthReason()};
    int line_number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::vector<std::string_view> tokens = SplitTokens(line);
        if (tokens.empty()) continue;
        std::string problem;
        if (first_line_ == 0) {
            first_line_ = line_number;
            problem = ReadFirstLine(tokens);
        } else {
            problem = ReadKey(line, tokens, line_number);
        }
        if (!problem.empty()) return {std::nullopt, LinePrefix(line_number) + problem};
    }
    if (first_line_ == 0) {
        return {std::nullopt, "the text is empty; a flight starts with " + FormatWord()};
    }
    const FlightProblem problem = FindFlightProblem(flight_);
    if (problem.place != FlightProblem::Place::kNone) return {std::nullopt, Placed(problem)};
    return {std::move(flight_), {}};
}

std::string Reader::ReadFirstLine(const std::vector<std::string_view>& tokens) {
    const std::string_view format = tokens[0];
    if (!format.starts_with(kFormatPrefix)) {
        return Shown(format) + ": not a seedscape flight, which starts with " + FormatWord();
    }
    const std::optional<long long> version = ParseWholeNumber(format.substr(kFormatPrefix.size()));
    if (!version || *version < 1) {
        return Shown(format) + ": not a seedscape flight format; this one reads format " +
               std::to_string(Flight::kFormat);
    }
    if (*version > Flight::kFormat) {
        return Shown(format) + ": made by a newer seedscape (format " + std::to_string(*version) +
               "); this one reads format " + std::to_string(Flight::kFormat);
    }
    for (std::size_t k = 1; k < tokens.size(); ++k) {
        if (std::string problem = ReadSetting(tokens[k]); !problem.empty()) {
            return Shown(tokens[k]) + ": " + problem;
        }
    }
    return {};
}

std::string Reader::ReadSetting(std::string_view token) {
    const std::size_t equals = token.find('=');
    const std::string_view name = token.substr(0, equals);
    const auto known = std::find_if(std::begin(kFlightSettings), std::end(kFlightSettings),
                                    [&](FlightSetting s) { return FlightSettingName(s) == name; });
    if (equals == std::string_view::npos || known == std::end(kFlightSettings)) {
        return "unknown setting; the settings are " + SettingNames() + ", in this order";
    }
    const int index = static_cast<int>(known - std::begin(kFlightSettings));
    if (!settings_written_[index].empty()) return std::string(name) + " is given twice";
    if (index < last_setting_) return "out of place; the settings go " + SettingNames();
    settings_written_[index] = token;
    last_setting_ = index;

    const std::string_view value = token.substr(equals + 1);
    if (*known == FlightSetting::kLoop) {
        const Reading<std::int64_t> loop = ReadSeconds(value, kLongestFlightSeconds);
        if (!loop.value) return loop.reason;
        flight_.loop_us = *loop.value;
        return {};
    }
    const WholeRange range = *known == FlightSetting::kFps     ? kFpsRange
                             : *known == FlightSetting::kScale ? kScaleRange
                                                               : kSupersampleRange;
    const Reading<int> number = ReadWholeNumber(value, range);
    if (!number.value) return number.reason;
    (*known == FlightSetting::kFps     ? flight_.fps
     : *known == FlightSetting::kScale ? flight_.scale
                                       : flight_.supersample) = *number.value;
    return {};
}

std::string Reader::ReadKey(std::string_view line, const std::vector<std::string_view>& tokens,
                            int line_number) {
    WrittenKey written{line_number, tokens[0], {}};
    FlightKey key;
    if (!written.at.starts_with(kAtPrefix)) {
        return Shown(written.at) + ": a key starts with at=SECONDS, then its recipe";
    }
    const Reading<std::int64_t> time =
        ReadSeconds(written.at.substr(kAtPrefix.size()), kLongestFlightSeconds);
    if (!time.value) return Shown(written.at) + ": " + time.reason;
    key.time_us = *time.value;

    std::size_t next = 1;
    if (next < tokens.size() && tokens[next].starts_with(kEasePrefix)) {
        written.ease = tokens[next++];
        const std::string_view word = written.ease.substr(kEasePrefix.size());
        if (word != EaseWord(Easing::kLinear) && word != EaseWord(Easing::kSmooth)) {
            return Shown(written.ease) + ": the easings are linear and smooth";
        }
        // Even ease=linear, which the record cannot tell from none.
        if (keys_written_.empty()) return Shown(written.ease) + ": " + FirstKeyEaseReason();
        key.ease = word == EaseWord(Easing::kSmooth) ? Easing::kSmooth : Easing::kLinear;
    }
    if (next == tokens.size()) {
        return Shown(tokens.back()) + ": a recipe follows, such as seedscape/1 seed=1";
    }
    for (std::size_t k = next; k < tokens.size(); ++k) {
        // Even scale=1, which the recipe cannot tell from none.
        if (tokens[k].starts_with("scale=") || tokens[k].starts_with("supersample=")) {
            return Shown(tokens[k]) + ": " + KeyExportSettingsReason();
        }
    }
    RecipeReading recipe = ParseRecipe(line.substr(tokens[next].data() - line.data()));
    if (!recipe.recipe) return recipe.error;
    key.recipe = std::move(*recipe.recipe);
    flight_.keys.push_back(std::move(key));
    keys_written_.push_back(written);
    return {};
}

std::string Reader::Placed(const FlightProblem& problem) const {
    using Place = FlightProblem::Place;
    if (problem.place == Place::kWhole) return problem.reason;
    if (problem.place == Place::kSetting) {
        const std::string_view written = settings_written_[static_cast<int>(problem.setting)];
        const std::string token =
            written.empty() ? SettingToken(flight_, problem.setting) : std::string(written);
        return LinePrefix(first_line_) + Shown(token) + ": " + problem.reason;
    }
    const WrittenKey& key = keys_written_[problem.key];
    const std::string prefix = LinePrefix(key.line);
    if (problem.place == Place::kKeyTime) return prefix + Shown(key.at) + ": " + problem.reason;
    if (problem.place == Place::kKeyEase) return prefix + Shown(key.ease) + ": " + problem.reason;
    return prefix + problem.reason;
}

}  // namespace

FlightReading ParseFlight(std::string_view text) {
    return Reader().Read(text);
}

std::string PrintFlight(const Flight& flight) {
    std::string text = FormatWord();
    for (const FlightSetting setting : kFlightSettings) {
        if (setting == FlightSetting::kLoop && !flight.loop_us) continue;
        text += ' ' + SettingToken(flight, setting);
    }
    text += '\n';
    for (const FlightKey& key : flight.keys) {
        text += std::string(kAtPrefix) + FormatSeconds(key.time_us);
        if (key.ease != Easing::kLinear) {
            text += ' ' + std::string(kEasePrefix) + std::string(EaseWord(key.ease));
        }
        text += ' ' + PrintRecipe(key.recipe) + '\n';
    }
    return text;
}

std::string CheckFlight(const Flight& flight) {
    using Place = FlightProblem::Place;
    const FlightProblem problem = FindFlightProblem(flight);
    const std::string key = "key " + std::to_string(problem.key + 1) + ": ";
    switch (problem.place) {
        case Place::kNone:
            break;
        case Place::kWhole:
            return problem.reason;
        case Place::kSetting:
            return SettingToken(flight, problem.setting) + ": " + problem.reason;
        case Place::kKey:
        case Place::kKeyRecipe:
            return key + problem.reason;
        case Place::kKeyTime:
            return key + std::string(kAtPrefix) + FormatSeconds(flight.keys[problem.key].time_us) +
                   ": " + problem.reason;
        case Place::kKeyEase:
            return key + std::string(kEasePrefix) +
                   std::string(EaseWord(flight.keys[problem.key].ease)) + ": " + problem.reason;
    }
    if (PrintFlight(flight).size() > kLongestFlightText) return TextLengthReason();
    return {};
}

std::string FlightGrammarText() {
    const auto line = [](const std::string& text) { return text + '\n'; };
    return line("A flight is a text: a line of settings, then a line for each key.") +
           line("  " + FormatWord() + " fps=F scale=K supersample=S [loop=SECONDS]") +
           line("  at=SECONDS [ease=linear|smooth] RECIPE") +
           line("fps: " + WholeNumberText(kFpsRange) + " (30 when left out).") +
           line("scale: " + FromTo(kScaleRange) + ", supersample: " + FromTo(kSupersampleRange) +
                " (1 when left out);") +
           line("  scale times supersample at most " + std::to_string(kLargestSamplesPerSide) +
                ".") +
           line("at: " + SecondsText(kLongestFlightSeconds) + ",") +
           line("  on a frame; the first key at 0, each further one at least a frame later;") +
           line("  at most " + std::to_string(kMostKeys) + " keys.") +
           line("loop: one key, whose points travel circles and come back after SECONDS;") +
           line("  at least " + std::to_string(kFewestLoopFrames) + " frames.");
}

}  // namespace seedscape
