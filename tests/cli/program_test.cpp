// Runs the seedscape-render program itself, as a user would, and checks its
// exit status, what it prints and which files it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace seedscape::cli {
namespace {

using testing::EngineImageMother;
using testing::ReadPng;
using testing::ReadPpm;
using testing::ReadText;
using testing::SameImage;
using testing::ScratchDirectory;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with `args` (shell words) in `folder`; `before` runs in
// the same shell first, `stdout_to` replaces the captured standard output.
Outcome RunProgram(const ScratchDirectory& folder, const std::string& args,
                   const std::string& before = "", const std::string& stdout_to = "") {
    const ScratchDirectory capture;
    const std::string out = stdout_to.empty() ? capture / "out" : stdout_to;
    const std::string command = "cd '" + folder.path().string() + "' && " + before + " exec '" +
                                SEEDSCAPE_RENDER_PATH + "' " + args + " >'" + out + "' 2>'" +
                                (capture / "err") + "'";
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = stdout_to.empty() ? ReadText(out) : "";
    outcome.err = ReadText(capture / "err");
    return outcome;
}

struct ProgramRow {
    std::string name;
    std::string args;
    int status;
    std::string out_starts_with;
    std::string err;  // the whole of standard error
    std::vector<std::string> files_left;
};

// Rows print as their name in test listings.
void PrintTo(const ProgramRow& row, std::ostream* os) {
    *os << row.name;
}

class ProgramRun : public ::testing::TestWithParam<ProgramRow> {};

TEST_P(ProgramRun, ExitsPrintsAndLeavesFilesAsExpected) {
    const ProgramRow& row = GetParam();
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, row.args);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out.substr(0, row.out_starts_with.size()), row.out_starts_with);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.Entries(), row.files_left);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ProgramRun, ::testing::Values(
    ProgramRow{"HelpExitsZero", "--help", 0, "Usage: seedscape-render [--seed N]", "", {}},
    ProgramRow{"ParamsOnly", "--seed 5 --params", 0, "seed=5\ncr=", "", {}},
    ProgramRow{"SeedGivenWritesQuietly", "--seed 5 -o m.png", 0, "", "", {"m.png"}},
    ProgramRow{"BadSeedWritesNothing", "--seed 0 -o m.png", 2, "", "seedscape-render: --seed 0: must be a whole number from 1 to 1000000\n", {}},
    ProgramRow{"BadValueAfterOutputWritesNothing", "-o m.png --set barva=99", 2, "", "seedscape-render: --set barva=99: must be a whole number from 1 to 22\n", {}},
    ProgramRow{"PressOffTheMotherWritesNothing", "--seed 5 --press 291,0 -o m.png", 2, "", "seedscape-render: --press 291,0: not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a press elsewhere draws no child\n", {}},
    ProgramRow{"UnknownOption", "--colour red", 2, "", "seedscape-render: unknown option --colour; see --help\n", {}},
    ProgramRow{"NothingToDo", "--seed 5", 2, "", "seedscape-render: nothing to do: give -o FILE to write the image, --params to print its parameters, or both\n", {}},
    ProgramRow{"MissingFolder", "--seed 5 -o missing/m.png", 1, "", "seedscape-render: cannot write missing/m.png: No such file or directory\n", {}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(Program, WritesTheSeedsImageMotherAsPngAndPpm) {
    const ScratchDirectory folder;
    ASSERT_EQ(RunProgram(folder, "--seed 12345 -o m.png").status, 0);
    ASSERT_EQ(RunProgram(folder, "--seed 12345 -o m.PPM").status, 0);
    const PixelImage expected = EngineImageMother(12345);
    std::string where;
    EXPECT_TRUE(SameImage(ReadPng(folder / "m.png"), expected, &where)) << "png " << where;
    EXPECT_TRUE(SameImage(ReadPpm(folder / "m.PPM"), expected, &where)) << "ppm " << where;
}

TEST(Program, PrintsTheClockSeedWhichMakesTheSameImage) {
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, "-o m.ppm");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    ASSERT_TRUE(outcome.out.starts_with("seed=")) << outcome.out;
    ASSERT_EQ(outcome.out.find('\n'), outcome.out.size() - 1) << "one line only: " << outcome.out;
    const int seed = std::stoi(outcome.out.substr(5));
    EXPECT_TRUE(SameImage(ReadPpm(folder / "m.ppm"), EngineImageMother(seed))) << seed;
}

// A disk that fills up part way is stood in for by a file size limit: write()
// fails after the first bytes, just as with ENOSPC. The program must not be
// killed by SIGXFSZ, must say what failed, and must leave nothing behind.
TEST(Program, WriteStoppedPartWayExitsOneAndLeavesNoFile) {
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, "--seed 5 -o m.ppm", "ulimit -f 8;");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "seedscape-render: cannot write m.ppm: File too large\n");
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(Program, FullStandardOutputIsAFailure) {
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, "--seed 5 --params", "", "/dev/full");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "seedscape-render: cannot write to standard output: No space left on device\n");
}

}  // namespace
}  // namespace seedscape::cli
