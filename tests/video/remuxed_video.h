#pragma once

#include <string>

namespace seedscape::testing {

// Copies the streams of the video at `from` into a new file at `to`, of the
// same container, carrying `comment`, which may be longer than this
// program's writer allows: how a test makes a file that the probe must
// refuse. "" or why it failed.
std::string RemuxWithComment(const std::string& from, const std::string& to,
                             const std::string& comment);

}  // namespace seedscape::testing
