#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace seedscape::cli {

// Tells how far a long render has got on one line of standard error,
// rewritten in place and cleared when the render ends. Only when that stream
// is a terminal, where a person watches it; and only once the render has
// taken a moment, so that a quick one prints nothing at all.
class ProgressLine {
  public:
    // Renders shorter than `quiet` show nothing.
    static constexpr std::chrono::milliseconds kQuiet{500};

    ProgressLine(std::FILE* err, std::string what, std::chrono::milliseconds quiet = kQuiet);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The share done, 0 to 1: shown as a percentage.
    void Show(double done);
    // `done` of `count` pictures.
    void Show(int done, int count);
    // Frames: the one being drawn, of how many, and the time left at the
    // pace so far ("frame 12 of 300, 1:05 left").
    void ShowFrames(double done, std::int64_t count);

  private:
    void Write(const std::string& text);

    std::FILE* err_;
    std::string what_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds quiet_;
    std::string shown_;  // what the line says now; empty before the first
};

}  // namespace seedscape::cli
