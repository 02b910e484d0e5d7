// Flight texts: canonical texts print back as written, flights made in code
// read back identical, and every rule is refused with a message that names
// the line and the token; a flight made in code is refused in the same words.
#include "flight/flight_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "recipe/number_text.h"
#include "recipe/value_readers.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

Recipe MakeRecipe(int seed, std::vector<RecipePress> presses = {}) {
    Recipe recipe;
    recipe.seed = seed;
    recipe.presses = std::move(presses);
    return recipe;
}

FlightKey Key(std::int64_t time_us, Recipe recipe, Easing ease = Easing::kLinear) {
    return {time_us, ease, std::move(recipe)};
}

// The reason after "line N: " or "key N: ", which both checks share.
std::string WithoutPlace(const std::string& message) {
    if (!message.starts_with("line ") && !message.starts_with("key ")) return message;
    return message.substr(message.find(": ") + 2);
}

TEST(FlightText, CanonicalTextsPrintBackAsWritten) {
    const std::vector<std::string> texts = {
        "seedscape-flight/1 fps=30 scale=4 supersample=2\n"
        "at=0 seedscape/1 seed=449139\n"
        "at=4 ease=smooth seedscape/1 seed=449139 press=150,100@20\n"
        "at=6.5 seedscape/1 seed=449139 press=150,100@20 press=60,150@100\n",
        // A tenth of a second is three frames at 30 fps; 0.04 s one at 25.
        "seedscape-flight/1 fps=30 scale=1 supersample=1\n"
        "at=0 seedscape/1 seed=1 barva=7\n"
        "at=0.1 seedscape/1 seed=2\n",
        "seedscape-flight/1 fps=25 scale=1 supersample=1\n"
        "at=0 seedscape/1 seed=1\n"
        "at=0.04 ease=smooth seedscape/1 seed=1 xt1=0.25\n",
        // The fastest rate falls on whole microseconds every third frame.
        "seedscape-flight/1 fps=120 scale=32 supersample=2\n"
        "at=0 seedscape/1 seed=5\n"
        "at=0.025 seedscape/1 seed=5 press=0,0@1\n"
        "at=3600 seedscape/1 seed=5 press=290,210@100\n",
        "seedscape-flight/1 fps=24 scale=2 supersample=3 loop=4.5\n"
        "at=0 seedscape/1 seed=1000000 press=150.5,100.25@5\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const FlightReading reading = ParseFlight(text);
        ASSERT_TRUE(reading.flight) << reading.error;
        EXPECT_EQ(PrintFlight(*reading.flight), text);
        EXPECT_EQ(CheckFlight(*reading.flight), "");
    }
}

TEST(FlightText, FlightsMadeInCodeReadBackIdentical) {
    Flight smooth;
    smooth.fps = 60;
    smooth.scale = 3;
    smooth.keys = {
        Key(0, MakeRecipe(7)), Key(500000, MakeRecipe(7, {{150, 100, 20}}), Easing::kSmooth),
        Key(6500000, MakeRecipe(7, {{150, 100, 20}, {60.5f, 150.125f, 100}})),
        Key(kLongestFlightSeconds * kMicrosecondsPerSecond, MakeRecipe(8), Easing::kSmooth)};
    smooth.keys[1].recipe =
        *ParseRecipe("seedscape/1 seed=7 barva=3 xt1=0.75 press=150,100@20").recipe;
    Flight loop;
    loop.fps = 1;
    loop.loop_us = 2 * kMicrosecondsPerSecond;  // the shortest loop at 1 fps
    loop.keys = {Key(0, MakeRecipe(449139, {{1, 2, 3}}))};
    Flight long_loop;
    long_loop.loop_us = kLongestFlightSeconds * kMicrosecondsPerSecond;
    long_loop.keys = {Key(0, MakeRecipe(1))};
    Flight one_key;
    one_key.keys = {Key(0, MakeRecipe(3))};

    for (const Flight& flight : {smooth, loop, long_loop, one_key}) {
        const std::string text = PrintFlight(flight);
        SCOPED_TRACE(text);
        EXPECT_EQ(CheckFlight(flight), "");
        const FlightReading reading = ParseFlight(text);
        ASSERT_TRUE(reading.flight) << reading.error;
        EXPECT_TRUE(*reading.flight == flight);
    }
    EXPECT_EQ(FrameCount(loop), 2);
    EXPECT_EQ(FrameCount(smooth), kLongestFlightSeconds * 60 + 1);
}

TEST(FlightText, ReadsLooseTextsAsTheirCanonicalForm) {
    const std::string canonical =
        "seedscape-flight/1 fps=30 scale=1 supersample=1\n"
        "at=0 seedscape/1 seed=1\n"
        "at=1.5 seedscape/1 seed=2\n";
    const std::vector<std::string> loose = {
        // Settings left out, "\r\n", blank lines, blanks around, no final newline.
        "seedscape-flight/1\r\n\r\nat=0 seedscape/1 seed=1\r\n  \r\n\tat=1.5  seedscape/1 seed=2 ",
        // Zeros after the point, ease=linear, and leading zeros.
        "seedscape-flight/1 fps=30\nat=00 seedscape/1 seed=1\nat=1.500000 ease=linear "
        "seedscape/1 seed=2\n",
    };
    for (const std::string& text : loose) {
        SCOPED_TRACE(text);
        const FlightReading reading = ParseFlight(text);
        ASSERT_TRUE(reading.flight) << reading.error;
        EXPECT_EQ(PrintFlight(*reading.flight), canonical);
    }
}

TEST(FlightText, EveryMicrosecondCountPrintsAndReadsBack) {
    for (const std::int64_t us : {0LL, 1LL, 10LL, 999999LL, 1000000LL, 1000001LL, 1500000LL,
                                  6500000LL, 3599999999LL, 3600000000LL}) {
        const std::string text = FormatSeconds(us);
        SCOPED_TRACE(text);
        const Reading<std::int64_t> back = ReadSeconds(text, kLongestFlightSeconds);
        ASSERT_TRUE(back.value) << back.reason;
        EXPECT_EQ(*back.value, us);
        EXPECT_FALSE(text.ends_with('0') && text.find('.') != std::string::npos);
    }
}

struct TextRefusal {
    std::string name;
    std::string text;
    std::string fragment;  // the message must contain it
};

void PrintTo(const TextRefusal& row, std::ostream* out) {
    *out << row.name;
}

class FlightTextRefusals : public ::testing::TestWithParam<TextRefusal> {};

TEST_P(FlightTextRefusals, NameTheLineAndTheToken) {
    const FlightReading reading = ParseFlight(GetParam().text);
    EXPECT_FALSE(reading.flight);
    EXPECT_NE(reading.error.find(GetParam().fragment), std::string::npos) << reading.error;
}

std::string ManyKeys(int count) {
    std::string text = "seedscape-flight/1 fps=1\n";
    for (int k = 0; k < count; ++k) text += "at=" + std::to_string(k) + " seedscape/1 seed=1\n";
    return text;
}

std::vector<TextRefusal> TextRefusals() {
    const std::string head = "seedscape-flight/1\n";
    const std::string first = head + "at=0 seedscape/1 seed=1\n";
    const std::string times =
        "must be a time in seconds from 0 to 3600, with at most 6 digits "
        "after the point";
    const auto time_row = [&](const std::string& name, const std::string& at) {
        return TextRefusal{name, first + at + " seedscape/1 seed=1\n",
                           "line 3: " + at + ": " + times};
    };
    return {
        {"empty text", "", "the text is empty; a flight starts with seedscape-flight/1"},
        {"longer than any flight", first + std::string(kLongestFlightText, ' '),
         "the text is longer than any flight (256 KiB)"},
        {"a recipe, not a flight", "seedscape/1 seed=1\n",
         "line 1: seedscape/1: not a seedscape flight, which starts with seedscape-flight/1"},
        {"a newer format", "seedscape-flight/2\nat=0 seedscape/1 seed=1\n",
         "line 1: seedscape-flight/2: made by a newer seedscape (format 2)"},
        {"no format number", "seedscape-flight/x\n", "not a seedscape flight format"},
        {"unknown setting", "seedscape-flight/1 speed=2\n",
         "line 1: speed=2: unknown setting; the settings are fps, scale, supersample, loop"},
        {"setting twice", "seedscape-flight/1 fps=30 fps=30\n",
         "line 1: fps=30: fps is given twice"},
        {"setting out of place", "seedscape-flight/1 scale=2 fps=30\n",
         "line 1: fps=30: out of place; the settings go fps, scale, supersample, loop"},
        {"fps zero", "seedscape-flight/1 fps=0\n",
         "line 1: fps=0: must be a whole number from 1 to 120"},
        {"scale too large", "seedscape-flight/1 scale=33\n",
         "line 1: scale=33: must be a whole number from 1 to 32"},
        {"scale and supersample too large together",
         "seedscape-flight/1 scale=32 supersample=8\nat=0 seedscape/1 seed=1\n",
         "line 1: supersample=8: scale times supersample must be at most 64"},
        {"loop of no time", "seedscape-flight/1 loop=0\nat=0 seedscape/1 seed=1\n",
         "line 1: loop=0: a loop lasts more than 0 s and at most 3600 s"},
        {"loop too long", "seedscape-flight/1 loop=3600.000001\nat=0 seedscape/1 seed=1\n",
         "line 1: loop=3600.000001: " + times},
        {"loop of two keys",
         "seedscape-flight/1 loop=4\nat=0 seedscape/1 seed=1\nat=1 seedscape/1 seed=1\n",
         "line 1: loop=4: a loop has exactly one key; this flight has 2"},
        {"loop of one frame", "seedscape-flight/1 fps=30 loop=0.04\nat=0 seedscape/1 seed=1\n",
         "line 1: loop=0.04: 0.04 s at 30 fps makes 1 frame; a loop has at least 2"},
        {"no keys", head, "a flight has at least one key"},
        {"key without at", head + "seedscape/1 seed=1\n",
         "line 2: seedscape/1: a key starts with at=SECONDS"},
        time_row("time empty", "at="),
        time_row("time without whole part", "at=.5"),
        time_row("time ending in a point", "at=1."),
        time_row("time with a sign", "at=-1"),
        time_row("time with exponent", "at=1e3"),
        time_row("time with seven decimals", "at=0.1234567"),
        time_row("time past the longest flight", "at=3600.1"),
        {"time off the frames", first + "at=0.05 seedscape/1 seed=1\n",
         "line 3: at=0.05: 0.05 s at 30 fps does not fall on a frame"},
        {"first key later than 0", "seedscape-flight/1\n\nat=1 seedscape/1 seed=1\n",
         "line 3: at=1: the first key must be at 0"},
        {"keys out of order", first + "at=2 seedscape/1 seed=1\nat=1 seedscape/1 seed=1\n",
         "line 4: at=1: must come at least one frame (1/30 s) after the key before it, at 2"},
        {"two keys on one frame", first + "at=0 seedscape/1 seed=1\n",
         "line 3: at=0: must come at least one frame"},
        {"first key eases", head + "at=0 ease=smooth seedscape/1 seed=1\n",
         "line 2: ease=smooth: the first key ends no segment, so it takes no ease"},
        {"first key eases linearly", head + "at=0 ease=linear seedscape/1 seed=1\n",
         "line 2: ease=linear: the first key ends no segment"},
        {"unknown easing", first + "at=1 ease=fast seedscape/1 seed=1\n",
         "line 3: ease=fast: the easings are linear and smooth"},
        {"key without recipe", first + "at=1 ease=smooth\n",
         "line 3: ease=smooth: a recipe follows"},
        {"malformed recipe", first + "at=1 seedscape/1 seed=0\n",
         "line 3: seed=0: the seed must be a whole number from 1 to 1000000"},
        {"recipe with scale", first + "at=1 seedscape/1 seed=1 scale=1\n",
         "line 3: scale=1: a key's recipe carries no export settings"},
        {"recipe with supersample", first + "at=1 seedscape/1 seed=1 supersample=2\n",
         "line 3: supersample=2: a key's recipe carries no export settings"},
        {"a thousand and one keys", ManyKeys(kMostKeys + 1),
         "line 1002: a flight has at most 1000 keys"},
    };
}

INSTANTIATE_TEST_SUITE_P(Rows, FlightTextRefusals, ::testing::ValuesIn(TextRefusals()),
                         [](const auto& info) { return testing::RowName(info.param.name); });

TEST(FlightText, AThousandKeysRead) {
    const FlightReading reading = ParseFlight(ManyKeys(kMostKeys));
    ASSERT_TRUE(reading.flight) << reading.error;
    EXPECT_EQ(reading.flight->keys.size(), static_cast<std::size_t>(kMostKeys));
}

struct CodeRefusal {
    std::string name;
    Flight flight;
    std::string message;     // CheckFlight's, whole
    bool text_alike = true;  // whether ParseFlight of its text gives the same reason
};

void PrintTo(const CodeRefusal& row, std::ostream* out) {
    *out << row.name;
}

class FlightCodeRefusals : public ::testing::TestWithParam<CodeRefusal> {};

TEST_P(FlightCodeRefusals, AreWordedAsTheTextIs) {
    const CodeRefusal& row = GetParam();
    EXPECT_EQ(CheckFlight(row.flight), row.message);
    if (!row.text_alike) return;
    const FlightReading reading = ParseFlight(PrintFlight(row.flight));
    EXPECT_FALSE(reading.flight);
    EXPECT_EQ(WithoutPlace(reading.error), WithoutPlace(row.message));
}

std::vector<CodeRefusal> CodeRefusals() {
    Flight two;
    two.keys = {Key(0, MakeRecipe(1)), Key(kMicrosecondsPerSecond, MakeRecipe(2))};
    const auto changed = [&](auto change) {
        Flight flight = two;
        change(flight);
        return flight;
    };
    // Three hundred keys of a hundred presses each print longer than a flight may be.
    Flight long_text;
    long_text.fps = 1;
    std::vector<RecipePress> presses(100, RecipePress{150.123f, 100.456f, 55});
    for (int k = 0; k < 300; ++k) {
        long_text.keys.push_back(Key(k * kMicrosecondsPerSecond, MakeRecipe(1, presses)));
    }
    return {
        {"fps zero", changed([](Flight& f) { f.fps = 0; }),
         "fps=0: must be a whole number from 1 to 120"},
        {"export too large", changed([](Flight& f) { f.scale = 16, f.supersample = 8; }),
         "supersample=8: scale times supersample must be at most 64"},
        {"loop of two keys", changed([](Flight& f) { f.loop_us = 4000000; }),
         "loop=4: a loop has exactly one key; this flight has 2"},
        {"negative loop", changed([](Flight& f) { f.loop_us = -1, f.keys.pop_back(); }),
         "loop=-0.000001: a loop lasts more than 0 s and at most 3600 s", false},
        {"no keys", changed([](Flight& f) { f.keys.clear(); }),
         "a flight has at least one key, a line such as at=0 seedscape/1 seed=1"},
        {"negative time", changed([](Flight& f) { f.keys[1].time_us = -2000000; }),
         "key 2: at=-2: must be a time in seconds from 0 to 3600, with at most 6 digits after "
         "the point",
         false},
        {"time off the frames", changed([](Flight& f) { f.keys[1].time_us = 50000; }),
         "key 2: at=0.05: 0.05 s at 30 fps does not fall on a frame"},
        {"first key later than 0", changed([](Flight& f) { f.keys[0].time_us = 2000000; }),
         "key 1: at=2: the first key must be at 0"},
        {"keys out of order", changed([](Flight& f) { f.keys[1].time_us = 0; }),
         "key 2: at=0: must come at least one frame (1/30 s) after the key before it, at 0"},
        {"first key eases", changed([](Flight& f) { f.keys[0].ease = Easing::kSmooth; }),
         "key 1: ease=smooth: the first key ends no segment, so it takes no ease"},
        {"recipe out of range", changed([](Flight& f) { f.keys[1].recipe.seed = 0; }),
         "key 2: seed=0: the seed must be a whole number from 1 to 1000000"},
        {"recipe with export settings", changed([](Flight& f) { f.keys[1].recipe.scale = 2; }),
         "key 2: a key's recipe carries no export settings; the flight's first line gives scale "
         "and supersample",
         false},
        {"text too long", long_text, "the text is longer than any flight (256 KiB)"},
    };
}

INSTANTIATE_TEST_SUITE_P(Rows, FlightCodeRefusals, ::testing::ValuesIn(CodeRefusals()),
                         [](const auto& info) { return testing::RowName(info.param.name); });

}  // namespace
}  // namespace seedscape
