#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/render_options.h"
#include "recipe/message_text.h"

// The parser behind ParseCommandLine, shared by the files that declare its
// options: the picture's and the tasks' in command_line.cpp, the flights' in
// flight_options.cpp.
namespace seedscape::cli {

// How a message repeats an option with the value typed for it: "--seed 5".
inline std::string Shown(std::string_view name, std::string_view value) {
    return std::string(name) + " " + EscapeForMessage(value);
}

// The notes --help ends with about flights and videos.
std::string FlightClosingText();

// An option that takes a value, as --help shows it and messages name it.
struct ValueOption {
    std::string name;          // "--seed", "-o"
    std::string value_name;    // what --help shows after the name: "N"
    std::string values;        // what a value must be, for "needs a value, ..."
    std::string given_twice;   // the refusal of a second use; empty when it may repeat
    std::string help;          // --help's description, wrapped
    bool repeat_value = true;  // whether a message repeats the value (not a whole recipe)
};

// Checks one value and stores it; returns "" then, else why the value is
// refused ("must be ...").
using ReadValue = std::function<std::string(std::string_view value)>;

// A press as typed, with the --mag that came after it, if one did.
struct GivenPress {
    float x = 0;
    float y = 0;
    std::optional<int> f;
};

// The options, declared with CLI11. Each use of an option is read as CLI11
// meets it, in the order typed, so the first refusal is the one reported
// and a --help stops the parse where it stands.
class Parser {
  public:
    Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    CommandLine Parse(std::span<const std::string_view> args);
    std::string Help() const { return app_.help(); }

  private:
    void AddPictureOptions();
    void AddTaskOptions();
    void AddFlightOptions();
    void AddValueOption(ValueOption option, ReadValue read);
    void AddFlag(const std::string& names, std::string help, std::function<void()> act);
    // How often the option named `name` was met so far, this use included.
    std::ptrdiff_t TimesGiven(std::string_view name) const;
    bool Given(std::string_view name) const { return TimesGiven(name) > 0; }
    // The first of `names` met, in the order typed, or "" when none was.
    std::string FirstGiven(std::initializer_list<std::string_view> names) const;

    std::string TakePress(std::string_view value);
    std::string TakeMagnification(std::string_view value);
    std::string TakeRecipe(std::string_view value);
    std::string TakeFrom(std::string_view value);
    // Refusals that concern the options together, once all are read; also
    // settles the task and the picture.
    std::string CheckTogether();
    std::string CheckPicture();
    // Whether a flight option was given, and the checks of a flight run.
    bool FlightWanted() const;
    std::string CheckFlight();
    std::string CheckAssemble();
    std::string TakeFlight(std::string_view path);
    std::string CheckFlightOutput();
    // The presses as recipe presses, each with its magnification.
    std::vector<RecipePress> ChainOfPresses() const;

    CLI::App app_;
    RenderOptions options_;
    std::vector<GivenPress> presses_;
    std::optional<int> magnification_before_presses_;
    std::optional<Recipe> read_recipe_;  // from --recipe or --from
    std::optional<int> scale_;
    std::optional<int> supersample_;
    std::optional<Flight> read_flight_;    // from --flight
    std::optional<std::int64_t> loop_us_;  // --loop
    std::optional<int> fps_;
    std::optional<std::pair<std::int64_t, std::int64_t>> frames_;  // --frames, as typed
    std::optional<std::pair<int, int>> share_;                     // --share I/N
};

}  // namespace seedscape::cli
