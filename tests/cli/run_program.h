#pragma once

#include <sys/resource.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace seedscape::cli {

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
Outcome RunProgram(const testing::ScratchDirectory& folder, std::vector<std::string> args,
                   StandardOutput standard_output = StandardOutput::kCaptured,
                   rlim_t file_size_limit = RLIM_INFINITY);

}  // namespace seedscape::cli
