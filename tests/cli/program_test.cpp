// Runs the seedscape-render program itself, as a user would, and checks its
// exit status, what it prints and which files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace seedscape::cli {
namespace {

using testing::EngineImageMother;
using testing::ReadPng;
using testing::ReadPpm;
using testing::ReadText;
using testing::SameImage;
using testing::ScratchDirectory;

enum class StandardOutput {
    kCaptured,
    kFull,        // /dev/full: every write fails with ENOSPC
    kClosedPipe,  // a pipe whose reader has gone, as in `seedscape-render ... | true`
};

struct Outcome {
    int status = -1;  // as a shell gives it: 128 + the signal for a killed program
    std::string out;
    std::string err;
};

// Runs the program with `args` in `folder`, as a shell would start it: with
// SIGPIPE and SIGXFSZ at their defaults whatever the test runner has set,
// and with `file_size_limit` bytes as the largest file it may write.
Outcome RunProgram(const ScratchDirectory& folder, std::vector<std::string> args,
                   StandardOutput standard_output = StandardOutput::kCaptured,
                   rlim_t file_size_limit = RLIM_INFINITY) {
    const ScratchDirectory capture;
    const std::string out_path =
        standard_output == StandardOutput::kFull ? "/dev/full" : capture / "out";
    const std::string err_path = capture / "err";
    const std::string directory = folder.path().string();
    args.insert(args.begin(), SEEDSCAPE_RENDER_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int pipe_ends[2] = {-1, -1};
    if (standard_output == StandardOutput::kClosedPipe) {
        EXPECT_EQ(pipe(pipe_ends), 0);
        close(pipe_ends[0]);  // no reader from the start, so the first write meets EPIPE
    }
    struct sigaction by_default = {};
    by_default.sa_handler = SIG_DFL;
    const struct rlimit limit = {file_size_limit, file_size_limit};

    const pid_t child = fork();
    if (child == 0) {
        // Only calls that are safe after fork() until exec.
        const int out = pipe_ends[1] >= 0
                            ? pipe_ends[1]
                            : open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 ||
            chdir(directory.c_str()) != 0 || sigaction(SIGPIPE, &by_default, nullptr) != 0 ||
            sigaction(SIGXFSZ, &by_default, nullptr) != 0 || setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pipe_ends[1] >= 0) close(pipe_ends[1]);
    Outcome outcome;
    int raw = 0;
    if (child < 0 || waitpid(child, &raw, 0) != child) return outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    if (standard_output == StandardOutput::kCaptured) outcome.out = ReadText(out_path);
    outcome.err = ReadText(err_path);
    return outcome;
}

struct ProgramRow {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string out_starts_with;
    std::string err;  // the whole of standard error
    std::vector<std::string> files_left;
    StandardOutput standard_output = StandardOutput::kCaptured;
};

// Rows print as their name in test listings.
void PrintTo(const ProgramRow& row, std::ostream* os) {
    *os << row.name;
}

class ProgramRun : public ::testing::TestWithParam<ProgramRow> {};

TEST_P(ProgramRun, ExitsPrintsAndLeavesFilesAsExpected) {
    const ProgramRow& row = GetParam();
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, row.args, row.standard_output);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out.substr(0, row.out_starts_with.size()), row.out_starts_with);
    EXPECT_EQ(outcome.err, row.err);
    EXPECT_EQ(folder.Entries(), row.files_left);
}

using S = StandardOutput;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ProgramRun, ::testing::Values(
    ProgramRow{"HelpExitsZero", {"--help"}, 0, "Usage: seedscape-render [--seed N]", "", {}},
    ProgramRow{"ParamsOnly", {"--seed", "5", "--params"}, 0, "seed=5\ncr=", "", {}},
    ProgramRow{"SeedGivenWritesQuietly", {"--seed", "5", "-o", "m.png"}, 0, "", "", {"m.png"}},
    ProgramRow{"BadSeedWritesNothing", {"--seed", "0", "-o", "m.png"}, 2, "", "seedscape-render: --seed 0: must be a whole number from 1 to 1000000\n", {}},
    ProgramRow{"BadValueAfterOutputWritesNothing", {"-o", "m.png", "--set", "barva=99"}, 2, "", "seedscape-render: --set barva=99: must be a whole number from 1 to 22\n", {}},
    ProgramRow{"PressOffTheMotherWritesNothing", {"--seed", "5", "--press", "291,0", "-o", "m.png"}, 2, "", "seedscape-render: --press 291,0: not on the image mother, which takes X from 0 to 290 and Y from 0 to 210; a press elsewhere draws no child\n", {}},
    ProgramRow{"UnknownOption", {"--colour", "red"}, 2, "", "seedscape-render: unknown option --colour; see --help\n", {}},
    ProgramRow{"NothingToDo", {"--seed", "5"}, 2, "", "seedscape-render: nothing to do: give -o FILE to write the image, --params to print its parameters, or both\n", {}},
    ProgramRow{"MissingFolder", {"--seed", "5", "-o", "missing/m.png"}, 1, "", "seedscape-render: cannot write missing/m.png: No such file or directory\n", {}},
    ProgramRow{"NewlineInAValueStaysOnOneLine", {"--seed", "5\n", "-o", "m.png"}, 2, "", "seedscape-render: --seed 5\\n: must be a whole number from 1 to 1000000\n", {}},
    ProgramRow{"TerminalCommandInAFileNameIsShownEscaped", {"--seed", "5", "-o", "missing/\x1b]0;title\a.png"}, 1, "", "seedscape-render: cannot write missing/\\x1b]0;title\\x07.png: No such file or directory\n", {}},
    ProgramRow{"FullStandardOutput", {"--seed", "5", "--params"}, 1, "", "seedscape-render: cannot write to standard output: No space left on device\n", {}, S::kFull},
    ProgramRow{"ClosedPipeStopsBeforeTheImage", {"--seed", "1", "--params", "-o", "m.png"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe},
    ProgramRow{"ClosedPipeForTheClockSeed", {"-o", "m.png"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe},
    ProgramRow{"ClosedPipeForHelp", {"--help"}, 1, "", "seedscape-render: cannot write to standard output: Broken pipe\n", {}, S::kClosedPipe}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(Program, WritesTheSeedsImageMotherAsPngAndPpm) {
    const ScratchDirectory folder;
    ASSERT_EQ(RunProgram(folder, {"--seed", "12345", "-o", "m.png"}).status, 0);
    ASSERT_EQ(RunProgram(folder, {"--seed", "12345", "-o", "m.PPM"}).status, 0);
    const PixelImage expected = EngineImageMother(12345);
    std::string where;
    EXPECT_TRUE(SameImage(ReadPng(folder / "m.png"), expected, &where)) << "png " << where;
    EXPECT_TRUE(SameImage(ReadPpm(folder / "m.PPM"), expected, &where)) << "ppm " << where;
}

TEST(Program, PrintsTheClockSeedWhichMakesTheSameImage) {
    const ScratchDirectory folder;
    const Outcome outcome = RunProgram(folder, {"-o", "m.ppm"});
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
    const Outcome outcome =
        RunProgram(folder, {"--seed", "5", "-o", "m.ppm"}, StandardOutput::kCaptured, 4096);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "seedscape-render: cannot write m.ppm: File too large\n");
    EXPECT_TRUE(folder.Entries().empty());
}

// The file is replaced, not written through: a symbolic link at the path
// gives way to the image and whatever it pointed at is left alone.
TEST(Program, ReplacesASymbolicLinkInsteadOfFollowingIt) {
    const ScratchDirectory folder;
    std::filesystem::create_symlink("elsewhere.png", folder.path() / "m.png");
    ASSERT_EQ(RunProgram(folder, {"--seed", "5", "-o", "m.png"}).status, 0);
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "m.png"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"m.png"});
    EXPECT_TRUE(SameImage(ReadPng(folder / "m.png"), EngineImageMother(5)));
}

}  // namespace
}  // namespace seedscape::cli
