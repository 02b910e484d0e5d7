#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <functional>
#include <utility>

#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "render/image_child.h"

namespace seedscape::cli {

namespace {

constexpr long long kLowestSeed = 1;
constexpr long long kHighestSeed = 1000000;
constexpr long long kLowestMagnification = 1;
constexpr long long kHighestMagnification = 100;

constexpr std::string_view kSeedValues = "a whole number from 1 to 1000000";
constexpr std::string_view kMagnificationValues = "a whole number from 1 to 100";
constexpr std::string_view kOutputValues = "a file name ending in .png or .ppm";

constexpr std::string_view kUsage =
    "Usage: seedscape-render [--seed N] [--set FIELD=VALUE]...\n"
    "                        [--press X,Y [--mag F]] [--params] [-o FILE]\n";

constexpr std::string_view kAbout =
    "Renders one 291 x 211 image without a window: the image mother of a seed, or\n"
    "the image child that a press on it draws, pixel for pixel as the window does.";

constexpr std::string_view kClosing =
    "At least one of -o and --params must be given. Long options may also be\n"
    "written --option=VALUE.\n"
    "\n"
    "Exit status: 0 done; 1 the image or the printed text could not be written;\n"
    "2 the command line was refused (then nothing is written).\n";

// Where the options' descriptions start in --help.
constexpr std::size_t kHelpColumn = 21;

// An option that takes a value, as --help shows it and messages name it.
struct ValueOption {
    std::string name;         // "--seed", "-o"
    std::string value_name;   // what --help shows after the name: "N"
    std::string_view values;  // what a value must be, for "needs a value, ..."
    std::string given_twice;  // the refusal of a second use; empty when it may repeat
    std::string help;         // --help's description, wrapped
};

// Checks one value and stores it; returns "" then, else why the value is
// refused ("must be ...").
using ReadValue = std::function<std::string(std::string_view value)>;

// Stops CLI11 where it stands, at the option being read, with the message
// that reaches the user.
[[noreturn]] void Refuse(std::string message) {
    throw CLI::ValidationError(std::move(message));
}

// How a message repeats an option with the value typed for it: "--seed 5".
std::string Shown(std::string_view name, std::string_view value) {
    return std::string(name) + " " + EscapeForMessage(value);
}

// A word that no option took, reported as the user typed it.
std::string DescribeStray(std::string_view word) {
    if (word.starts_with('-') && word.size() > 1) {
        const std::string_view name =
            word.starts_with("--") ? word.substr(0, word.find('=')) : word;
        return "unknown option " + EscapeForMessage(name) + "; see --help";
    }
    return "unexpected argument " + EscapeForMessage(word) + "; see --help";
}

// --help: usage, what the program does, then each option with its
// description in the order declared, then the closing notes.
std::string HelpText(const CLI::App* app, const std::string& /*name*/, CLI::AppFormatMode) {
    std::string text = std::string(kUsage) + "\n" + app->get_description() + "\n\n";
    for (const CLI::Option* option : app->get_options()) {
        std::string lead = "  " + option->get_name();
        if (!option->get_option_text().empty()) lead += " " + option->get_option_text();
        lead += "  ";
        if (lead.size() <= kHelpColumn) {
            lead.resize(kHelpColumn, ' ');
        } else {
            lead += "\n" + std::string(kHelpColumn, ' ');
        }
        text += lead;
        for (const char c : option->get_description()) {
            text += c;
            if (c == '\n') text.append(kHelpColumn, ' ');
        }
        text += '\n';
    }
    return text + "\n" + app->get_footer();
}

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
    void AddValueOption(ValueOption option, ReadValue read);
    void AddFlag(const std::string& name, std::string help, std::function<void()> act);
    // How often the option named `name` was met so far, this use included.
    std::ptrdiff_t TimesGiven(std::string_view name) const;

    std::string ReadSeed(std::string_view value);
    std::string ReadSetting(std::string_view value);
    std::string ReadPress(std::string_view value);
    std::string ReadMagnification(std::string_view value);
    std::string ReadOutput(std::string_view value);
    // Refusals that concern the options together, once all are read.
    std::string CheckTogether() const;

    CLI::App app_;
    RenderOptions options_;
    bool magnification_given_ = false;
};

Parser::Parser() : app_(std::string(kAbout), "seedscape-render") {
    app_.set_help_flag();  // replaced by the --help below, which stops the parse at once
    app_.formatter_fn(HelpText);
    app_.footer(std::string(kClosing));

    AddValueOption({"--seed", "N", kSeedValues, "given twice",
                    "the seed, a whole number from 1 to 1000000. Without it a\n"
                    "seed is drawn from the clock, as at start-up, and printed\n"
                    "as \"seed=N\" on standard output."},
                   [this](std::string_view value) { return ReadSeed(value); });
    AddValueOption({"--set", "FIELD=VALUE", "FIELD=VALUE", "",
                    "replaces one of the parameters drawn from the seed; may be\n"
                    "repeated, and the last value for a field wins:\n"
                    "  barva               colour scheme, whole, 1 to 22\n"
                    "  fak01, fak02        factor formulas, whole, 1 to 25\n"
                    "  dn1, dn2, dn3       channel multipliers, whole, 1 to 30\n"
                    "  xt1, yt1, xt2, yt2, xt3, yt3\n"
                    "                      reference points, from -1 up to\n"
                    "                      but not including 1\n"
                    "  cr, ci              from -1.5 up to but not including\n"
                    "                      1.5; every pixel replaces them with\n"
                    "                      its own point, so they change the\n"
                    "                      printed parameters, not the picture\n"
                    "All but cr and ci are kept in single precision."},
                   [this](std::string_view value) { return ReadSetting(value); });
    AddValueOption(
        {"--press", "X,Y", "X,Y, a point on the image mother", "given twice; this draws one child",
         "draws the image child of a press at (X, Y) on the image\n"
         "mother instead: 0 <= X <= 290, 0 <= Y <= 210, fractions\n"
         "allowed. The mother is rendered first, as in the window."},
        [this](std::string_view value) { return ReadPress(value); });
    AddValueOption({"--mag", "F", kMagnificationValues, "given twice",
                    "magnification of that child, a whole number from 1 to 100\n"
                    "(default 5); only together with --press."},
                   [this](std::string_view value) { return ReadMagnification(value); });
    AddFlag("--params",
            "prints seed, cr, ci, fak01, fak02, barva, dn1, dn2, dn3,\n"
            "xt1, yt1, xt2, yt2, xt3, yt3, faktor1 and f as name=value\n"
            "lines; every value reads back to the identical number.\n"
            "f is the child's magnification with --press, else 5.",
            [this] { options_.print_parameters = true; });
    AddValueOption({"-o", "FILE", kOutputValues, "given twice",
                    "writes the image to FILE: PNG if the name ends in .png,\n"
                    "binary PPM (P6) if it ends in .ppm. The file appears\n"
                    "whole or not at all: the image goes to a new file that\n"
                    "then replaces what is at FILE, so a symbolic link there\n"
                    "is replaced, not followed, and the old file's\n"
                    "permissions are not kept."},
                   [this](std::string_view value) { return ReadOutput(value); });
    AddFlag("--help", "prints this text.", [] { throw CLI::CallForHelp(); });
}

void Parser::AddValueOption(ValueOption option, ReadValue read) {
    const std::string name = option.name;
    const std::string value_name = option.value_name;
    const std::string help = option.help;
    auto use = [this, option = std::move(option),
                read = std::move(read)](const CLI::results_t& values) {
        const std::string value = values.empty() ? "" : values.front();
        if (value.empty()) {
            Refuse(option.name + ": needs a value, " + std::string(option.values));
        }
        if (!option.given_twice.empty() && TimesGiven(option.name) > 1) {
            Refuse(Shown(option.name, value) + ": " + option.given_twice);
        }
        if (const std::string reason = read(value); !reason.empty()) {
            Refuse(Shown(option.name, value) + ": " + reason);
        }
        return true;
    };
    // At most one value each time, and none that looks like an option: a
    // missing value arrives as "" instead of swallowing the next option.
    app_.add_option(name, std::move(use), help)
        ->expected(0, 1)
        ->trigger_on_parse()
        ->option_text(value_name);
}

void Parser::AddFlag(const std::string& name, std::string help, std::function<void()> act) {
    auto use = [name, act = std::move(act)](const CLI::results_t& values) {
        // A plain flag passes "", one written --flag=VALUE passes VALUE.
        if (!values.empty() && !values.front().empty()) Refuse(name + " takes no value");
        act();
        return true;
    };
    app_.add_option(name, std::move(use), std::move(help))->expected(0, 0)->trigger_on_parse();
}

std::ptrdiff_t Parser::TimesGiven(std::string_view name) const {
    const std::vector<CLI::Option*>& order = app_.parse_order();
    return std::count_if(order.begin(), order.end(),
                         [name](const CLI::Option* option) { return option->get_name() == name; });
}

CommandLine Parser::Parse(std::span<const std::string_view> args) {
    CommandLine result;
    std::string refusal;
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app_.parse(reversed);
        refusal = CheckTogether();
    } catch (const CLI::CallForHelp&) {
        result.action = CommandLine::Action::kShowHelp;
        return result;
    } catch (const CLI::ExtrasError&) {
        const std::vector<std::string> strays = app_.remaining();
        refusal = DescribeStray(strays.empty() ? "" : strays.front());
    } catch (const CLI::ValidationError& error) {
        refusal = error.what();  // from Refuse, with the user's text escaped already
    } catch (const CLI::ParseError& error) {
        refusal = EscapeForMessage(error.what());
    }
    if (!refusal.empty()) {
        result.action = CommandLine::Action::kUsageError;
        result.error = std::move(refusal);
        return result;
    }
    result.options = std::move(options_);
    return result;
}

std::string Parser::CheckTogether() const {
    if (magnification_given_ && !options_.press) {
        return "--mag " + FormatRoundTrip(options_.magnification) +
               ": magnifies the child of a press; give --press X,Y as well";
    }
    if (!options_.output_path && !options_.print_parameters) {
        return "nothing to do: give -o FILE to write the image, --params to print its "
               "parameters, or both";
    }
    return {};
}

std::string Parser::ReadSeed(std::string_view value) {
    const std::optional<long long> seed = ParseWholeNumber(value);
    if (!seed || *seed < kLowestSeed || *seed > kHighestSeed) {
        return "must be " + std::string(kSeedValues);
    }
    options_.seed = static_cast<double>(*seed);
    return {};
}

std::string Parser::ReadSetting(std::string_view value) {
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos) {
        return "needs FIELD=VALUE, with FIELD one of " + SettableFieldNames();
    }
    const std::string_view name = value.substr(0, equals);
    const SettableField* field = FindSettableField(name);
    if (field == nullptr) {
        return "no field called \"" + EscapeForMessage(name) + "\"; the fields are " +
               SettableFieldNames();
    }
    const std::string_view text = value.substr(equals + 1);
    std::optional<double> number;
    if (field->whole) {
        if (const std::optional<long long> whole = ParseWholeNumber(text)) {
            // Beyond 2^53 a long long no longer converts exactly; such values
            // are far out of every range anyway and fail the check below.
            number = static_cast<double>(*whole);
        }
    } else {
        number = ParseRealNumber(text);
    }
    if (!number) return DescribeRange(*field);
    if (std::string problem = CheckSettableValue(*field, *number); !problem.empty()) {
        return problem;
    }
    options_.settings.push_back({field, *number});
    return {};
}

std::string Parser::ReadPress(std::string_view value) {
    const std::size_t comma = value.find(',');
    std::optional<double> x;
    std::optional<double> y;
    if (comma != std::string_view::npos) {
        x = ParseRealNumber(value.substr(0, comma));
        y = ParseRealNumber(value.substr(comma + 1));
    }
    if (!x || !y) return "needs X,Y, two numbers separated by a comma";
    // The window reports a press in single precision, and that is what is
    // tested against the image mother's edges.
    const Press press{static_cast<float>(*x), static_cast<float>(*y)};
    if (press.x < 0 || press.y < 0 || !IsOnImageMother(press.x, press.y)) {
        return "not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a "
               "press elsewhere draws no child";
    }
    options_.press = press;
    return {};
}

std::string Parser::ReadMagnification(std::string_view value) {
    const std::optional<long long> f = ParseWholeNumber(value);
    if (!f || *f < kLowestMagnification || *f > kHighestMagnification) {
        return "must be " + std::string(kMagnificationValues);
    }
    magnification_given_ = true;
    options_.magnification = static_cast<double>(*f);
    return {};
}

std::string Parser::ReadOutput(std::string_view value) {
    // CLI11 reads "-o=x.png" as the name "=x.png"; that is a slip, not a wish.
    if (value.starts_with('=')) return "must not begin with \"=\"; write -o FILE";
    const std::size_t slash = value.rfind('/');
    const std::string_view file_name =
        slash == std::string_view::npos ? value : value.substr(slash + 1);
    std::string suffix;
    if (file_name.size() >= 4) {
        suffix = file_name.substr(file_name.size() - 4);
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    if (suffix == ".png") {
        options_.output_format = ImageFormat::kPng;
    } else if (suffix == ".ppm") {
        options_.output_format = ImageFormat::kPpm;
    } else {
        return "must be " + std::string(kOutputValues);
    }
    options_.output_path = std::string(value);
    return {};
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
    return Parser().Parse(args);
}

std::string UsageText() {
    return Parser().Help();
}

}  // namespace seedscape::cli
