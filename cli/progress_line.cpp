#include "cli/progress_line.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace seedscape::cli {

ProgressLine::ProgressLine(std::FILE* err, std::string what, std::chrono::milliseconds quiet)
    : err_(err),
      what_(std::move(what)),
      terminal_(isatty(fileno(err)) == 1),
      start_(std::chrono::steady_clock::now()),
      quiet_(quiet) {}

ProgressLine::~ProgressLine() {
    if (shown_.empty()) return;
    // Blanks over the text, then back to the start of the line.
    std::fprintf(err_, "\r%*s\r", static_cast<int>(shown_.size()), "");
    std::fflush(err_);
}

void ProgressLine::Show(double done) {
    const int percent = static_cast<int>(std::floor(std::fmin(std::fmax(done, 0.0), 1.0) * 100));
    Write(std::to_string(percent) + "%");
}

void ProgressLine::Show(int done, int count) {
    Write(std::to_string(done) + " of " + std::to_string(count));
}

void ProgressLine::ShowFrames(double done, std::int64_t count) {
    const auto frame = std::min(static_cast<std::int64_t>(done) + 1, count);
    std::string text = "frame " + std::to_string(frame) + " of " + std::to_string(count);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (done > 0) {
        const auto left =
            static_cast<long>(std::ceil(elapsed * (static_cast<double>(count) - done) / done));
        char clock[32];
        std::snprintf(clock, sizeof clock, "%ld:%02ld", left / 60, left % 60);
        text += std::string(", ") + clock + " left";
    }
    Write(text);
}

void ProgressLine::Write(const std::string& text) {
    if (!terminal_) return;
    if (shown_.empty() && std::chrono::steady_clock::now() - start_ < quiet_) return;
    const std::string line = "seedscape-render: " + what_ + " " + text;
    if (line == shown_) return;
    // Written over the last one; a longer old line's end is blanked.
    const int blank =
        shown_.size() > line.size() ? static_cast<int>(shown_.size() - line.size()) : 0;
    std::fprintf(err_, "\r%s%*s", line.c_str(), blank, "");
    std::fflush(err_);
    shown_ = line;
}

}  // namespace seedscape::cli
