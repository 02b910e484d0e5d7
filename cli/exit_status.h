#pragma once

#include <cstdio>
#include <string>

namespace seedscape::cli {

// The name every message begins with.
inline constexpr const char* kProgram = "seedscape-render";

// Exit statuses of seedscape-render.
inline constexpr int kExitDone = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitUsage = 2;

// Writes `text` to `out`, flushed, so that a full disk or a closed pipe is
// noticed here and not lost at exit. Every write to standard output goes
// through here.
bool Print(std::FILE* out, const std::string& text);

// Says that standard output could not be written; returns kExitWriteFailed.
int ReportUnprintable(std::FILE* err);

// Says that `path` could not be written and why; returns kExitWriteFailed.
int ReportUnwritable(std::FILE* err, const std::string& path, const std::string& reason);

}  // namespace seedscape::cli
