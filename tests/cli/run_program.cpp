#include "run_program.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace seedscape::cli {

using testing::ReadText;
using testing::ScratchDirectory;

Outcome RunProgram(const testing::ScratchDirectory& folder, std::vector<std::string> args,
                   StandardOutput standard_output,
                   rlim_t file_size_limit) {
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

}  // namespace seedscape::cli
