#include <csignal>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "cli/run_renderer.h"
#include "image_file/interrupt_cleanup.h"

int main(int argc, char** argv) {
    // Past a file size limit, write() should fail like a full disk does,
    // so that the half-written temporary is removed, not left by a crash.
    std::signal(SIGXFSZ, SIG_IGN);
    // A reader that has gone away (`| head`) makes a write to standard output
    // fail with EPIPE, which is reported, instead of killing the program
    // without a word.
    std::signal(SIGPIPE, SIG_IGN);
    // Ctrl+C or a kill part way through a file leaves no partial temporary.
    seedscape::RemoveTemporariesOnInterrupt();
    try {
        const std::vector<std::string_view> args(argv + 1, argv + argc);
        return seedscape::cli::RunRenderer(args, stdout, stderr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "seedscape-render: %s\n", error.what());
        return seedscape::cli::kExitWriteFailed;
    }
}
