#pragma once

#include <cstdio>
#include <span>
#include <string_view>

#include "cli/exit_status.h"

namespace seedscape::cli {

// The whole program, given the arguments after its name: prints to `out`,
// reports problems as one line on `err`, and returns the exit status.
int RunRenderer(std::span<const std::string_view> args, std::FILE* out, std::FILE* err);

}  // namespace seedscape::cli
