#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "recipe/message_text.h"

namespace seedscape::cli {
namespace {

CommandLine Parse(const std::vector<std::string_view>& args) {
    return ParseCommandLine(args);
}

// ---- Command lines that are accepted, and what they ask for.

struct Accepted {
    std::string name;
    std::vector<std::string_view> args;
    std::optional<double> seed;
    std::vector<std::pair<std::string_view, double>> settings;
    std::optional<std::pair<float, float>> press;
    double magnification;
    bool params;
    std::optional<std::string> output;
    ImageFormat format;
};

// Rows print as their name in test listings.
void PrintTo(const Accepted& row, std::ostream* os) {
    *os << row.name;
}

class AcceptedCommandLine : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedCommandLine, GivesTheOptions) {
    const Accepted& row = GetParam();
    const CommandLine parsed = Parse(row.args);
    ASSERT_EQ(parsed.action, CommandLine::Action::kRender) << parsed.error;
    const RenderOptions& options = parsed.options;
    EXPECT_EQ(options.seed, row.seed);
    ASSERT_EQ(options.settings.size(), row.settings.size());
    for (std::size_t k = 0; k < row.settings.size(); ++k) {
        EXPECT_EQ(options.settings[k].field->name, row.settings[k].first) << "setting " << k;
        EXPECT_EQ(options.settings[k].value, row.settings[k].second) << "setting " << k;
    }
    ASSERT_EQ(options.press.has_value(), row.press.has_value());
    if (row.press) {
        EXPECT_EQ(options.press->x, row.press->first);
        EXPECT_EQ(options.press->y, row.press->second);
    }
    EXPECT_EQ(options.magnification, row.magnification);
    EXPECT_EQ(options.print_parameters, row.params);
    EXPECT_EQ(options.output_path, row.output);
    if (row.output) {
        EXPECT_EQ(options.output_format, row.format);
    }
}

using F = ImageFormat;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, AcceptedCommandLine, ::testing::Values(
    Accepted{"SeedAndPng", {"--seed", "12345", "-o", "out.png"}, 12345, {}, {}, 5, false, "out.png", F::kPng},
    Accepted{"LowestSeedInEqualsForm", {"--seed=1", "--params"}, 1, {}, {}, 5, true, {}, F::kPng},
    Accepted{"HighestSeed", {"--seed", "1000000", "--params"}, 1000000, {}, {}, 5, true, {}, F::kPng},
    Accepted{"NoSeedMeansTheClock", {"-o", "a/b/c.png"}, {}, {}, {}, 5, false, "a/b/c.png", F::kPng},
    Accepted{"UpperCasePpmExtension", {"-o", "OUT.PPM"}, {}, {}, {}, 5, false, "OUT.PPM", F::kPpm},
    Accepted{"MixedCasePngExtension", {"-o", "x.PnG"}, {}, {}, {}, 5, false, "x.PnG", F::kPng},
    Accepted{"RepeatedSetKeepsBothInOrder", {"--set", "barva=3", "--set=barva=22", "--params"}, {}, {{"barva", 3}, {"barva", 22}}, {}, 5, true, {}, F::kPng},
    Accepted{"RealFieldsAtTheirLowestValue", {"--set", "xt1=-1", "--set", "cr=-1.5", "--params"}, {}, {{"xt1", -1}, {"cr", -1.5}}, {}, 5, true, {}, F::kPng},
    Accepted{"DoubleFieldTakesWhatSingleWouldRoundUp", {"--set", "ci=1.49999999999", "--params"}, {}, {{"ci", 1.49999999999}}, {}, 5, true, {}, F::kPng},
    Accepted{"ExponentNotation", {"--set", "yt2=-2.5e-1", "--params"}, {}, {{"yt2", -0.25}}, {}, 5, true, {}, F::kPng},
    Accepted{"WholeFieldsAtBothEnds", {"--set", "fak01=1", "--set", "fak02=25", "--set", "dn3=30", "--params"}, {}, {{"fak01", 1}, {"fak02", 25}, {"dn3", 30}}, {}, 5, true, {}, F::kPng},
    Accepted{"PressWithFractionsTakesDefaultMagnification", {"--press", "12.5,200.25", "-o", "c.png"}, {}, {}, std::pair{12.5f, 200.25f}, 5, false, "c.png", F::kPng},
    Accepted{"PressOnTheLastColumnAndRow", {"--press", "290,210", "--mag", "100", "-o", "c.png"}, {}, {}, std::pair{290.0f, 210.0f}, 100, false, "c.png", F::kPng},
    Accepted{"PressAtTheOriginWithMagnificationOne", {"--press=0,0", "--mag=1", "--params"}, {}, {}, std::pair{0.0f, 0.0f}, 1, true, {}, F::kPng},
    Accepted{"MagnificationOffTheButtonLadder", {"--press", "1,1", "--mag", "37", "--params"}, {}, {}, std::pair{1.0f, 1.0f}, 37, true, {}, F::kPng},
    Accepted{"PressJustPastTheEdgeIsOnItInSinglePrecision", {"--press", "290.000001,0", "--params"}, {}, {}, std::pair{290.0f, 0.0f}, 5, true, {}, F::kPng},
    Accepted{"ShortOptionWithItsValueAttached", {"-om.ppm"}, {}, {}, {}, 5, false, "m.ppm", F::kPpm},
    Accepted{"ValueThatStartsWithAMinusIsNoOption", {"--press", "-0,5", "--params"}, {}, {}, std::pair{0.0f, 5.0f}, 5, true, {}, F::kPng}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// ---- Command lines that are refused: one line naming the option, the value
// and what would be accepted.

struct Refused {
    std::string name;
    std::vector<std::string_view> args;
    std::vector<std::string> message_parts;
};

// Rows print as their name in test listings.
void PrintTo(const Refused& row, std::ostream* os) {
    *os << row.name;
}

class RefusedCommandLine : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedCommandLine, SaysWhyOnOneLine) {
    const CommandLine parsed = Parse(GetParam().args);
    ASSERT_EQ(parsed.action, CommandLine::Action::kUsageError);
    // No control character at all: nothing the user typed may break the line
    // or reach the terminal as a command.
    for (const char c : parsed.error) {
        EXPECT_TRUE(c >= 0x20 && c != 0x7f)
            << "control character " << int(c) << " in " << parsed.error;
    }
    for (const std::string& part : GetParam().message_parts) {
        EXPECT_NE(parsed.error.find(part), std::string::npos)
            << "\"" << parsed.error << "\" lacks \"" << part << "\"";
    }
}

const std::string kSeedRange = "must be a whole number from 1 to 1000000";
const std::string kPointRange = "must be a number from -1 up to but not including 1";
const std::string kOffMother = "not on the image mother";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RefusedCommandLine, ::testing::Values(
    Refused{"SeedZero", {"--seed", "0", "-o", "x.png"}, {"--seed 0: " + kSeedRange}},
    Refused{"SeedAboveRange", {"--seed", "1000001", "--params"}, {"--seed 1000001: " + kSeedRange}},
    Refused{"SeedFraction", {"--seed", "12.5", "--params"}, {"--seed 12.5: " + kSeedRange}},
    Refused{"SeedWholeButWrittenWithPoint", {"--seed", "12.0", "--params"}, {"--seed 12.0: " + kSeedRange}},
    Refused{"SeedTrailingJunk", {"--seed", "12a", "--params"}, {"--seed 12a: " + kSeedRange}},
    Refused{"SeedLeadingPlus", {"--seed", "+12", "--params"}, {"--seed +12: " + kSeedRange}},
    Refused{"SeedLeadingBlank", {"--seed", " 12", "--params"}, {"--seed  12: " + kSeedRange}},
    Refused{"SeedExponent", {"--seed", "1e3", "--params"}, {"--seed 1e3: " + kSeedRange}},
    Refused{"SeedTooLongForAnyInteger", {"--seed", "99999999999999999999999", "--params"}, {"--seed 99999999999999999999999: " + kSeedRange}},
    Refused{"SeedEmpty", {"--seed=", "--params"}, {"--seed: needs a value, a whole number from 1 to 1000000"}},
    Refused{"SeedMissingAtTheEnd", {"--params", "--seed"}, {"--seed: needs a value", "1 to 1000000"}},
    Refused{"SeedFollowedByAnotherOption", {"--seed", "--params"}, {"--seed: needs a value"}},
    Refused{"SeedWithANewline", {"--seed", "5\n", "--params"}, {"--seed 5\\n: " + kSeedRange}},
    Refused{"SeedTwice", {"--seed", "5", "--seed", "6", "--params"}, {"--seed 6: given twice"}},
    Refused{"SetUnknownField", {"--set", "foo=1", "--params"}, {"--set foo=1", "no field called \"foo\"", "barva, fak01"}},
    Refused{"SetFieldNamesAreCaseSensitive", {"--set", "BARVA=3", "--params"}, {"no field called \"BARVA\""}},
    Refused{"SetSeedIsNotAField", {"--set", "seed=5", "--params"}, {"no field called \"seed\""}},
    Refused{"SetFieldWithATerminalCommand", {"--set", "\x1b[2Jbarva=1", "--params"}, {"--set \\x1b[2Jbarva=1: no field called \"\\x1b[2Jbarva\""}},
    Refused{"SetWithoutEquals", {"--set", "barva", "--params"}, {"--set barva: needs FIELD=VALUE"}},
    Refused{"SetEmptyValue", {"--set", "barva=", "--params"}, {"--set barva=: must be a whole number from 1 to 22"}},
    Refused{"SetBarvaFraction", {"--set", "barva=2.5", "--params"}, {"--set barva=2.5: must be a whole number from 1 to 22"}},
    Refused{"SetBarvaAboveRange", {"--set", "barva=23", "--params"}, {"--set barva=23: must be a whole number from 1 to 22"}},
    Refused{"SetFakZero", {"--set", "fak01=0", "--params"}, {"--set fak01=0: must be a whole number from 1 to 25"}},
    Refused{"SetDnAboveRange", {"--set", "dn3=31", "--params"}, {"--set dn3=31: must be a whole number from 1 to 30"}},
    Refused{"SetPointAtItsExcludedEnd", {"--set", "xt1=1", "--params"}, {"--set xt1=1: " + kPointRange}},
    Refused{"SetPointThatSinglePrecisionRoundsToOne", {"--set", "yt3=0.99999999", "--params"}, {"--set yt3=0.99999999: " + kPointRange, "in single precision this is 1"}},
    Refused{"SetCrBelowRange", {"--set", "cr=-1.5000001", "--params"}, {"--set cr=-1.5000001: must be a number from -1.5 up to but not including 1.5"}},
    Refused{"SetNan", {"--set", "ci=nan", "--params"}, {"--set ci=nan: must be a number"}},
    Refused{"SetInfinity", {"--set", "xt2=-inf", "--params"}, {"--set xt2=-inf: " + kPointRange}},
    Refused{"SetTrailingJunk", {"--set", "ci=0.5x", "--params"}, {"--set ci=0.5x: must be a number"}},
    Refused{"SetHexadecimal", {"--set", "xt1=0x0.1p0", "--params"}, {"--set xt1=0x0.1p0: " + kPointRange}},
    Refused{"PressRightOfTheMother", {"--press", "290.01,0", "-o", "x.png"}, {"--press 290.01,0: " + kOffMother, "draws no child"}},
    Refused{"PressBelowTheMother", {"--press", "0,211", "-o", "x.png"}, {"--press 0,211: " + kOffMother}},
    Refused{"PressLeftOfTheWindow", {"--press", "-1,5", "-o", "x.png"}, {"--press -1,5: " + kOffMother}},
    Refused{"PressWithOneNumber", {"--press", "10", "-o", "x.png"}, {"--press 10: needs X,Y"}},
    Refused{"PressWithThreeNumbers", {"--press", "1,2,3", "-o", "x.png"}, {"--press 1,2,3: needs X,Y"}},
    Refused{"PressWithEmptyY", {"--press", "5,", "-o", "x.png"}, {"--press 5,: needs X,Y"}},
    Refused{"PressNan", {"--press", "nan,3", "-o", "x.png"}, {"--press nan,3: needs X,Y"}},
    Refused{"PressTwice", {"--press", "1,1", "--press", "2,2", "-o", "x.png"}, {"--press 2,2: given twice"}},
    Refused{"MagnificationZero", {"--press", "1,1", "--mag", "0", "--params"}, {"--mag 0: must be a whole number from 1 to 100"}},
    Refused{"MagnificationAboveRange", {"--press", "1,1", "--mag", "101", "--params"}, {"--mag 101: must be a whole number from 1 to 100"}},
    Refused{"MagnificationFraction", {"--press", "1,1", "--mag", "2.5", "--params"}, {"--mag 2.5: must be a whole number from 1 to 100"}},
    Refused{"MagnificationWithoutPress", {"--mag", "7", "--params"}, {"--mag 7", "give --press X,Y as well"}},
    Refused{"MagnificationMissingValue", {"--press", "1,1", "--params", "--mag"}, {"--mag: needs a value"}},
    Refused{"OutputOtherExtension", {"-o", "x.jpg"}, {"-o x.jpg: must be a file name ending in .png or .ppm"}},
    Refused{"OutputWithoutExtension", {"-o", "png"}, {"-o png: must be a file name ending in .png or .ppm"}},
    Refused{"OutputNamesAFolder", {"-o", "pictures.png/"}, {"-o pictures.png/: must be a file name"}},
    Refused{"OutputMissingName", {"--seed", "4", "-o"}, {"-o: needs a value"}},
    Refused{"OutputTwice", {"-o", "a.png", "-o", "b.png"}, {"-o b.png: given twice"}},
    Refused{"OutputWrittenWithEquals", {"-o=x.png"}, {"-o =x.png: must not begin with \"=\""}},
    Refused{"OutputFollowedByAnotherOption", {"-o", "--params"}, {"-o: needs a value, a file name ending in .png or .ppm"}},
    Refused{"UnknownLongOption", {"--bogus", "--params"}, {"unknown option --bogus"}},
    Refused{"UnknownLongOptionWithAValue", {"--bogus=3", "--params"}, {"unknown option --bogus;"}},
    Refused{"UnknownShortOption", {"-x", "--params"}, {"unknown option -x"}},
    Refused{"UnknownOptionWithABell", {"--bo\agus", "--params"}, {"unknown option --bo\\x07gus"}},
    Refused{"StrayArgument", {"--params", "out.png"}, {"unexpected argument out.png"}},
    Refused{"StrayArgumentOverTwoLines", {"--params", "a\r\nb"}, {"unexpected argument a\\r\\nb"}},
    Refused{"FlagWithAValue", {"--params=yes"}, {"--params takes no value"}},
    Refused{"FlagWithTrue", {"--params=true"}, {"--params takes no value"}},
    Refused{"NothingToDo", {"--seed", "5"}, {"nothing to do", "-o FILE", "--params"}},
    Refused{"NoArgumentsAtAll", {}, {"nothing to do"}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(HelpOption, WinsOverTheRestOfTheCommandLine) {
    EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::kShowHelp);
    EXPECT_EQ(Parse({"--seed", "5", "--help", "--bogus"}).action, CommandLine::Action::kShowHelp);
    EXPECT_EQ(Parse({"--help", "--seed", "0"}).action, CommandLine::Action::kShowHelp);
    // ...but an error before it is still an error.
    EXPECT_EQ(Parse({"--seed", "0", "--help"}).action, CommandLine::Action::kUsageError);
}

// Each option on a line of its own with its value's name, descriptions in one
// column, and nothing wider than a terminal.
TEST(HelpText, ListsEveryOptionInOneColumnWithinEightyCharacters) {
    const std::string help = UsageText();
    for (const std::string option : {"--seed N", "--set FIELD=VALUE", "--press X,Y", "--mag F",
                                     "--params", "-o FILE", "--help"}) {
        std::string lead = "\n  " + option;
        lead.resize(22, ' ');
        EXPECT_NE(help.find(lead), std::string::npos) << option;
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

// ---- What a message repeats of the user's typing.

struct Escaped {
    std::string name;
    std::string_view typed;
    std::string shown;
};

// Rows print as their name in test listings.
void PrintTo(const Escaped& row, std::ostream* os) {
    *os << row.name;
}

class EscapedText : public ::testing::TestWithParam<Escaped> {};

TEST_P(EscapedText, IsShownOnOneLineWithoutControls) {
    EXPECT_EQ(EscapeForMessage(GetParam().typed), GetParam().shown);
}

using namespace std::string_view_literals;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, EscapedText, ::testing::Values(
    Escaped{"PlainTextIsKept", "out 1.png", "out 1.png"},
    Escaped{"Newline", "5\n", "5\\n"},
    Escaped{"CarriageReturnAndTab", "a\rb\tc", "a\\rb\\tc"},
    Escaped{"TerminalEscapeSequence", "\x1b[31mred", "\\x1b[31mred"},
    Escaped{"BellAndDelete", "\a\x7f", "\\x07\\x7f"},
    Escaped{"NulByte", "a\0b"sv, "a\\x00b"},
    Escaped{"BackslashIsDoubledSoEscapesReadOneWay", "a\\nb", "a\\\\nb"},
    Escaped{"Utf8LettersAreKept", "slika-\u010d-\u6f22\U0001f600.png", "slika-\u010d-\u6f22\U0001f600.png"},
    Escaped{"C1ControlSequenceIntroducer", "\u009b2J", "\\xc2\\x9b2J"},
    Escaped{"LoneContinuationByte", "\x80", "\\x80"},
    Escaped{"ByteThatIsNeverUtf8", "\xff", "\\xff"},
    Escaped{"CharacterCutShort", "a\xe6\xbc", "a\\xe6\\xbc"},
    Escaped{"OverlongSlash", "\xc0\xaf", "\\xc0\\xaf"},
    Escaped{"OverlongThreeBytes", "\xe0\x80\xaf", "\\xe0\\x80\\xaf"},
    Escaped{"Surrogate", "\xed\xa0\x80", "\\xed\\xa0\\x80"},
    Escaped{"BeyondUnicode", "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace seedscape::cli
