// Progress is for a person at a terminal: shown there, never in a file.
#include "cli/progress_line.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace seedscape::cli {
namespace {

using std::chrono::milliseconds;

// What a ProgressLine writes to `stream` when told `done` shares.
void ShowShares(std::FILE* stream, const std::vector<double>& shares, milliseconds quiet) {
    ProgressLine line(stream, "rendering", quiet);
    for (const double done : shares) line.Show(done);
}

std::string ReadAvailable(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    return text;
}

TEST(ProgressLine, OnATerminalRewritesOneLineAndClearsIt) {
    int terminal = -1;
    int screen = -1;
    ASSERT_EQ(openpty(&screen, &terminal, nullptr, nullptr, nullptr), 0);
    std::FILE* err = fdopen(terminal, "w");
    ASSERT_NE(err, nullptr);
    ShowShares(err, {0.25, 0.251, 1.0}, milliseconds(0));
    std::fclose(err);
    // Each change once, over the one before; a repeated percentage is not
    // written again; then blanks and a return leave the line empty.
    const std::string prefix = "\rseedscape-render: rendering ";
    const std::string blank(prefix.size() - 1 + 4, ' ');
    EXPECT_EQ(ReadAvailable(screen), prefix + "25%" + prefix + "100%" + "\r" + blank + "\r");
    close(screen);
}

TEST(ProgressLine, QuickRendersAndFilesGetNothing) {
    int terminal = -1;
    int screen = -1;
    ASSERT_EQ(openpty(&screen, &terminal, nullptr, nullptr, nullptr), 0);
    std::FILE* err = fdopen(terminal, "w");
    ShowShares(err, {0.5, 1.0}, milliseconds(60000));
    std::fclose(err);
    EXPECT_EQ(ReadAvailable(screen), "");
    close(screen);

    std::FILE* file = std::tmpfile();
    ShowShares(file, {0.5, 1.0}, milliseconds(0));
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
}

}  // namespace
}  // namespace seedscape::cli
