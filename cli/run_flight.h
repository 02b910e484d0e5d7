#pragma once

#include <cstdio>

#include "cli/command_line.h"

namespace seedscape::cli {

// A flight run: prints the flight's text or its frame count if asked, then
// draws its frames into a video or a folder. Returns the exit status.
int RunFlight(const RenderOptions& options, std::FILE* out, std::FILE* err);

// --assemble: frames drawn anywhere, checked and encoded. Returns the exit
// status: frames that are missing, foreign or drawn wrong are refused input.
int RunAssemble(const RenderOptions& options, std::FILE* err);

}  // namespace seedscape::cli
