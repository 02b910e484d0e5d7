#include "cli/command_line.h"

#include <algorithm>
#include <cctype>

#include "recipe/number_text.h"
#include "render/image_child.h"

namespace seedscape::cli {

namespace {

constexpr long long kLowestSeed = 1;
constexpr long long kHighestSeed = 1000000;
constexpr long long kLowestMagnification = 1;
constexpr long long kHighestMagnification = 100;

// Parsing stops at the first error; `Fail` records it.
class Parser {
  public:
    explicit Parser(std::span<const std::string_view> args) : args_(args) {}

    CommandLine Run();

  private:
    bool Fail(std::string message) {
        result_.action = CommandLine::Action::kUsageError;
        result_.error = std::move(message);
        return false;
    }

    // Handles one option with its value; false after an error.
    bool Seed(std::string_view value);
    bool Set(std::string_view value);
    bool PressAt(std::string_view value);
    bool Magnification(std::string_view value);
    bool Output(std::string_view value);

    std::span<const std::string_view> args_;
    CommandLine result_;
    bool magnification_given_ = false;
};

bool TakesValue(std::string_view name) {
    return name == "--seed" || name == "--set" || name == "--press" || name == "--mag" ||
           name == "-o";
}

std::string ValueHint(std::string_view name) {
    if (name == "--seed") return "a whole number from 1 to 1000000";
    if (name == "--set") return "FIELD=VALUE";
    if (name == "--press") return "X,Y, a point on the image mother";
    if (name == "--mag") return "a whole number from 1 to 100";
    return "a file name ending in .png or .ppm";
}

CommandLine Parser::Run() {
    for (std::size_t k = 0; k < args_.size(); ++k) {
        const std::string_view arg = args_[k];
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (arg.starts_with("--")) {
            if (const std::size_t equals = arg.find('='); equals != std::string_view::npos) {
                name = arg.substr(0, equals);
                value = arg.substr(equals + 1);
            }
        }

        if (name == "--help" || name == "--params") {
            if (value) {
                Fail(std::string(name) + " takes no value");
                return result_;
            }
            if (name == "--help") {
                result_.action = CommandLine::Action::kShowHelp;
                return result_;
            }
            result_.options.print_parameters = true;
            continue;
        }
        if (!TakesValue(name)) {
            if (arg.starts_with('-') && arg.size() > 1) {
                Fail("unknown option " + std::string(name) + "; see --help");
            } else {
                Fail("unexpected argument " + std::string(arg) + "; see --help");
            }
            return result_;
        }
        if (!value) {
            if (k + 1 == args_.size()) {
                Fail(std::string(name) + ": needs a value, " + ValueHint(name));
                return result_;
            }
            value = args_[++k];
        }

        bool ok = true;
        if (name == "--seed") ok = Seed(*value);
        if (name == "--set") ok = Set(*value);
        if (name == "--press") ok = PressAt(*value);
        if (name == "--mag") ok = Magnification(*value);
        if (name == "-o") ok = Output(*value);
        if (!ok) return result_;
    }

    const RenderOptions& options = result_.options;
    if (magnification_given_ && !options.press) {
        Fail("--mag " + FormatRoundTrip(options.magnification) +
             ": magnifies the child of a press; give --press X,Y as well");
    } else if (!options.output_path && !options.print_parameters) {
        Fail(
            "nothing to do: give -o FILE to write the image, --params to print its "
            "parameters, or both");
    }
    return result_;
}

bool Parser::Seed(std::string_view value) {
    if (result_.options.seed) return Fail("--seed " + std::string(value) + ": given twice");
    const std::optional<long long> seed = ParseWholeNumber(value);
    if (!seed || *seed < kLowestSeed || *seed > kHighestSeed) {
        return Fail("--seed " + std::string(value) + ": " + "must be " + ValueHint("--seed"));
    }
    result_.options.seed = static_cast<double>(*seed);
    return true;
}

bool Parser::Set(std::string_view value) {
    const std::string shown = "--set " + std::string(value);
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos) {
        return Fail(shown + ": needs FIELD=VALUE, with FIELD one of " + SettableFieldNames());
    }
    const std::string_view name = value.substr(0, equals);
    const SettableField* field = FindSettableField(name);
    if (field == nullptr) {
        return Fail(shown + ": no field called \"" + std::string(name) + "\"; the fields are " +
                    SettableFieldNames());
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
    if (!number) return Fail(shown + ": " + DescribeRange(*field));
    if (const std::string problem = CheckSettableValue(*field, *number); !problem.empty()) {
        return Fail(shown + ": " + problem);
    }
    result_.options.settings.push_back({field, *number});
    return true;
}

bool Parser::PressAt(std::string_view value) {
    const std::string shown = "--press " + std::string(value);
    if (result_.options.press) return Fail(shown + ": given twice; this draws one child");
    const std::size_t comma = value.find(',');
    std::optional<double> x;
    std::optional<double> y;
    if (comma != std::string_view::npos) {
        x = ParseRealNumber(value.substr(0, comma));
        y = ParseRealNumber(value.substr(comma + 1));
    }
    if (!x || !y) return Fail(shown + ": needs X,Y, two numbers separated by a comma");
    // The window reports a press in single precision, and that is what is
    // tested against the image mother's edges.
    const Press press{static_cast<float>(*x), static_cast<float>(*y)};
    if (press.x < 0 || press.y < 0 || !IsOnImageMother(press.x, press.y)) {
        return Fail(shown +
                    ": not on the image mother, which takes X from 0 to 290 and Y from 0 to "
                    "210; a press elsewhere draws no child");
    }
    result_.options.press = press;
    return true;
}

bool Parser::Magnification(std::string_view value) {
    if (magnification_given_) return Fail("--mag " + std::string(value) + ": given twice");
    const std::optional<long long> f = ParseWholeNumber(value);
    if (!f || *f < kLowestMagnification || *f > kHighestMagnification) {
        return Fail("--mag " + std::string(value) + ": must be " + ValueHint("--mag"));
    }
    magnification_given_ = true;
    result_.options.magnification = static_cast<double>(*f);
    return true;
}

bool Parser::Output(std::string_view value) {
    const std::string shown = "-o " + std::string(value);
    if (result_.options.output_path) return Fail(shown + ": given twice");
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
        result_.options.output_format = ImageFormat::kPng;
    } else if (suffix == ".ppm") {
        result_.options.output_format = ImageFormat::kPpm;
    } else {
        return Fail(shown + ": must be " + ValueHint("-o"));
    }
    result_.options.output_path = std::string(value);
    return true;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
    return Parser(args).Run();
}

std::string UsageText() {
    return R"(Usage: seedscape-render [--seed N] [--set FIELD=VALUE]... [--press X,Y [--mag F]]
                        [--params] [-o FILE]

Renders one 291 x 211 image without a window: the image mother of a seed, or
the image child that a press on it draws, pixel for pixel as the window does.

  --seed N           the seed, a whole number from 1 to 1000000. Without it a
                     seed is drawn from the clock, as at start-up, and printed
                     as "seed=N" on standard output.
  --set FIELD=VALUE  replaces one of the parameters drawn from the seed; may be
                     repeated, and the last value for a field wins:
                       barva               colour scheme, whole, 1 to 22
                       fak01, fak02        factor formulas, whole, 1 to 25
                       dn1, dn2, dn3       channel multipliers, whole, 1 to 30
                       xt1, yt1, xt2, yt2, xt3, yt3
                                           reference points, from -1 up to
                                           but not including 1
                       cr, ci              from -1.5 up to but not including
                                           1.5; every pixel replaces them with
                                           its own point, so they change the
                                           printed parameters, not the picture
                     All but cr and ci are kept in single precision.
  --press X,Y        draws the image child of a press at (X, Y) on the image
                     mother instead: 0 <= X <= 290, 0 <= Y <= 210, fractions
                     allowed. The mother is rendered first, as in the window.
  --mag F            magnification of that child, a whole number from 1 to 100
                     (default 5); only together with --press.
  --params           prints seed, cr, ci, fak01, fak02, barva, dn1, dn2, dn3,
                     xt1, yt1, xt2, yt2, xt3, yt3, faktor1 and f as name=value
                     lines; every value reads back to the identical number.
                     f is the child's magnification with --press, else 5.
  -o FILE            writes the image to FILE: PNG if the name ends in .png,
                     binary PPM (P6) if it ends in .ppm. The file appears
                     whole or not at all.
  --help             prints this text.

At least one of -o and --params must be given. Long options may also be
written --option=VALUE.

Exit status: 0 done; 1 the image or the printed text could not be written;
2 the command line was refused (then nothing is written).
)";
}

}  // namespace seedscape::cli
