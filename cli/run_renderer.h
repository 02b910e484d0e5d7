#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace seedscape::cli {

// Exit statuses of seedscape-render.
inline constexpr int kExitDone = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitUsage = 2;

// The whole program, given the arguments after its name: prints to `out`,
// reports problems as one line on `err`, and returns the exit status.
int RunRenderer(std::span<const std::string_view> args, std::FILE* out, std::FILE* err);

}  // namespace seedscape::cli
